#include "assets/assets.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QtGlobal>

static void registerAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace alambix {

void loadAssets() {
    static const bool registered = (registerAssets(), true);
    Q_UNUSED(registered);
}

QPixmap renderPicture(const QString& resource, QSize size, qreal ratio) {
    loadAssets();
    if (ratio <= 0) ratio = qApp ? qApp->devicePixelRatio() : 1;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    // Onto the picture's logical area: the painter's device pixels are `ratio` times as many.
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace alambix
