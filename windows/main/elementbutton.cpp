#include "windows/main/elementbutton.h"

#include "core/elements.h"

#include <QKeyEvent>
#include <QPainter>

namespace alambix {

ElementButton::ElementButton(int index, QWidget* parent) : QAbstractButton(parent), m_index(index) {
    setObjectName(QStringLiteral("Check1_%1").arg(index));
    setText(elementCaption(index));
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    showValue(false);
}

void ElementButton::showValue(bool on) {
    setChecked(on);
    update();
}

void ElementButton::paintEvent(QPaintEvent*) {
    // Drawn by hand: the colours tell the value, the bevel tells the pressed state, and long
    // captions wrap on two lines.
    QPainter painter(this);
    const bool down = isChecked() || isDown();
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), isChecked() ? QColor(255, 255, 255) : QColor(0, 0, 180));

    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QColor dark(0, 0, 0);
    painter.setPen(down ? dark : light);
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());
    painter.setPen(shadow);
    if (down) {
        painter.drawLine(outer.left() + 1, outer.top() + 1, outer.right() - 1, outer.top() + 1);
        painter.drawLine(outer.left() + 1, outer.top() + 1, outer.left() + 1, outer.bottom() - 1);
    } else {
        painter.drawLine(outer.left() + 1, outer.bottom() - 1, outer.right() - 1,
                         outer.bottom() - 1);
        painter.drawLine(outer.right() - 1, outer.top() + 1, outer.right() - 1, outer.bottom() - 1);
    }

    QColor caption = isChecked() ? QColor(0, 0, 128) : QColor(255, 255, 255);
    if (!isEnabled()) caption = isChecked() ? QColor(160, 160, 160) : QColor(130, 130, 200);
    painter.setPen(caption);
    painter.setFont(font());
    const QRect textRect = rect().adjusted(3, 2, -3, -2).translated(down ? 1 : 0, down ? 1 : 0);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        // A solid frame two pixels wide, in a colour that stands out from either face: gold on
        // the dark blue, dark blue on the white.
        const QColor frame = isChecked() ? QColor(0, 0, 180) : QColor(255, 210, 0);
        const QRect edge = rect().adjusted(2, 2, -2, -2);
        const int width = 2;
        painter.fillRect(QRect(edge.left(), edge.top(), edge.width(), width), frame);
        painter.fillRect(QRect(edge.left(), edge.bottom() + 1 - width, edge.width(), width), frame);
        painter.fillRect(QRect(edge.left(), edge.top(), width, edge.height()), frame);
        painter.fillRect(QRect(edge.right() + 1 - width, edge.top(), width, edge.height()), frame);
    }
}

void ElementButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat()) click();
        event->accept();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace alambix
