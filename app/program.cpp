#include "app/program.h"

#include "app/feuillep_window.h"

namespace alambix {

std::unique_ptr<QWidget> createMainWindow(const QString& programFolder) {
    return std::make_unique<FeuilleP>(programFolder);
}

SetupDocument* mainWindowDocument(QWidget* window) {
    auto* main = qobject_cast<FeuilleP*>(window);
    return main ? &main->document() : nullptr;
}

} // namespace alambix
