#include "windows/main/dessin_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace alambix {

DessinWidget::DessinWidget(DrawingSurface& surface, QWidget* parent)
    : QWidget(parent), m_surface(surface) {
    setObjectName(QStringLiteral("dessin"));
    setFixedSize(m_surface.image().size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reached with Tab, for its explanation menu.
    setFocusPolicy(Qt::TabFocus);
}

void DessinWidget::paintEvent(QPaintEvent* event) {
    // The surface follows the screen the widget is on (set at the first paint there).
    m_surface.setScreenRatio(devicePixelRatioF());
    // Only the exposed part of the persistent image is copied.
    QPainter painter(this);
    const QRect rect = event->rect();
    const QImage& image = m_surface.screenImage();
    const qreal ratio = image.devicePixelRatio();
    if (ratio == 1) {
        painter.drawImage(rect, image, rect);
    } else {
        painter.drawImage(QRectF(rect), image,
                          QRectF(rect.x() * ratio, rect.y() * ratio, rect.width() * ratio,
                                 rect.height() * ratio));
    }
    if (hasFocus()) {
        // The element buttons' focus frame, along the edges.
        painter.setPen(QPen(QColor(0, 0, 180), 2));
        painter.drawRect(QRectF(this->rect()).adjusted(1, 1, -1, -1));
    }
}

} // namespace alambix
