#include "windows/common/windowscale.h"

#include <QWidget>

namespace alambix {

WindowScale::WindowScale(QWidget* window) : QObject(window) {
    setObjectName(QStringLiteral("windowscale"));
}

void WindowScale::setFactor(qreal factor) {
    if (factor == m_factor) return;
    m_factor = factor;
    emit factorChanged(factor);
}

WindowScale* WindowScale::of(const QWidget* widget) {
    const QWidget* window = widget ? widget->window() : nullptr;
    return window ? window->findChild<WindowScale*>(QStringLiteral("windowscale"),
                                                    Qt::FindDirectChildrenOnly)
                  : nullptr;
}

qreal WindowScale::factorFor(const QWidget* widget) {
    const WindowScale* scale = of(widget);
    return scale ? scale->factor() : 1;
}

QRect scaledRect(const QRect& design, qreal factor) {
    if (factor == 1) return design;
    const auto scaled = [factor](int value) { return qRound(value * factor); };
    return QRect(QPoint(scaled(design.left()), scaled(design.top())),
                 QPoint(scaled(design.left() + design.width()) - 1,
                        scaled(design.top() + design.height()) - 1));
}

QFont WindowScale::font(QFont design) const {
    if (m_factor != 1) design.setPointSizeF(design.pointSizeF() * m_factor);
    return design;
}

} // namespace alambix
