#include "drawing/dessin_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace alambix {

DessinWidget::DessinWidget(const DrawingSurface& surface, QWidget* parent)
    : QWidget(parent), m_surface(surface) {
    setObjectName(QStringLiteral("dessin"));
    setFixedSize(m_surface.image().size());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DessinWidget::paintEvent(QPaintEvent* event) {
    // Only the exposed part of the persistent image is copied.
    QPainter painter(this);
    const QRect rect = event->rect();
    painter.drawImage(rect, m_surface.image(), rect);
}

} // namespace alambix
