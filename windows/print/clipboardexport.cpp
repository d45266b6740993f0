#include "windows/print/clipboardexport.h"

#include "session/setupdocument.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace alambix {

namespace {
void putOnClipboard(const QImage& image) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(image);
}
} // namespace

QString messagecopie() {
    return QStringLiteral(
        "L'image est copiée: vous pouvez la retrouver depuis toute autre application (coller)");
}

void avecfond(const SetupDocument& document) {
    putOnClipboard(document.surface().image().copy());
}

void sansfond(SetupDocument& document) {
    QImage bare;
    {
        // The user sees the bare drawing while it is copied.
        const BareDrawing drawing(document);
        bare = drawing.picture();
    }
    putOnClipboard(bare);
}

} // namespace alambix
