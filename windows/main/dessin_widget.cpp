#include "windows/main/dessin_widget.h"

#include "drawing/setupdrawing.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace alambix {

DessinWidget::DessinWidget(DrawingSurface& surface, QWidget* parent)
    : QWidget(parent), m_surface(surface) {
    setObjectName(QStringLiteral("dessin"));
    setFixedSize(m_surface.image().size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reached with Tab, for its explanation menu.
    setFocusPolicy(Qt::TabFocus);
}

QSize DessinWidget::sizeAt(qreal zoom) {
    return QSize(static_cast<int>(std::ceil(DrawingWidth * zoom)),
                 static_cast<int>(std::ceil(DrawingHeight * zoom)));
}

void DessinWidget::setZoom(qreal zoom) {
    if (zoom == m_zoom) return;
    m_zoom = zoom;
    setFixedSize(sizeAt(zoom));
    update();
}

void DessinWidget::paintEvent(QPaintEvent* event) {
    // The surface follows the screen the widget is on (set at the first paint there) and the
    // zoom: drawn again at the new size, never a stretched picture.
    m_surface.setScreenRatio(devicePixelRatioF(), m_zoom);
    // Only the exposed part of the persistent image is copied, device pixel for pixel.
    QPainter painter(this);
    const QRect rect = event->rect();
    const QImage& image = m_surface.screenImage();
    const qreal ratio = image.devicePixelRatio() / m_zoom;
    if (ratio == 1) {
        painter.drawImage(rect, image, rect);
    } else {
        painter.drawImage(QRectF(rect), image,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                 rect.height() * ratio));
    }
    if (hasFocus()) {
        // The element buttons' focus frame, along the edges.
        const qreal width = 2 * m_zoom;
        painter.setPen(QPen(QColor(0, 0, 180), width));
        painter.drawRect(
            QRectF(this->rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }
}

} // namespace alambix
