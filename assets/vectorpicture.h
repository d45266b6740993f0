#pragma once
// How our vector pictures become pixels, shared by the program, its build tools and its tests:
// the pixels the build makes and those the program makes are the same.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

namespace alambix {

// `source` (a file or a resource) rendered at `size`, with `ratio` device pixels per pixel;
// a null image when it cannot be read.
inline QImage vectorPicture(const QString& source, QSize size, qreal ratio) {
    QSvgRenderer renderer(source);
    if (!renderer.isValid()) return {};
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    // Onto the picture's logical area: the painter's device pixels are `ratio` times as many.
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace alambix
