#include "print/clipboardexport.h"

#include "app/feuillep_window.h"
#include "drawing/dessin_widget.h"

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

void avecfond(FeuilleP& feuilleP) {
    putOnClipboard(feuilleP.dessin()->surface().image().copy());
    feuilleP.setHint(messagecopie());
}

void sansfond(FeuilleP& feuilleP) {
    DrawingSurface& surface = feuilleP.dessin()->surface();
    surface.removeBackground();
    feuilleP.desdes();
    // The user sees the bare drawing while it is copied.
    feuilleP.dessin()->repaint();
    const QImage bare = surface.image().copy();
    feuilleP.fondessin();
    putOnClipboard(bare);
    feuilleP.setHint(messagecopie());
}

} // namespace alambix
