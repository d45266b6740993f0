#include "app/program.h"

#include "drawing/fonts.h"
#include "windows/common/buttonfacestyle.h"
#include "windows/common/frenchtranslations.h"
#include "windows/main/feuillep_window.h"

#include <QApplication>

#include <fontconfig/fontconfig.h>

namespace alambix {

FontConfigLoader::FontConfigLoader() : m_thread([] { FcInit(); }) {}

FontConfigLoader::~FontConfigLoader() {
    wait();
}

void FontConfigLoader::wait() {
    if (m_thread.joinable()) m_thread.join();
}

void configureApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Alambix"));
    QApplication::setStyle(new ButtonFaceStyle);
    QApplication::setFont(windowFont(8.25));
    installFrenchTranslations(app);
}

std::unique_ptr<QWidget> createMainWindow(const QString& programFolder) {
    return std::make_unique<FeuilleP>(programFolder);
}

SetupDocument* mainWindowDocument(QWidget* window) {
    auto* main = qobject_cast<FeuilleP*>(window);
    return main ? &main->document() : nullptr;
}

} // namespace alambix
