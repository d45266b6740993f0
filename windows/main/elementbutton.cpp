#include "windows/main/elementbutton.h"

#include "core/elements.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

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

void ElementButton::setScale(qreal scale) {
    m_scale = scale;
    update();
}

void ElementButton::paintEvent(QPaintEvent*) {
    // Drawn by hand: the colours tell the value, the bevel tells the pressed state, and long
    // captions wrap on two lines. Lines grow with the window's scale.
    QPainter painter(this);
    const bool down = isChecked() || isDown();
    // The bevel leaves the last column and row in the face's colour.
    const int w = width() - 1, h = height() - 1;
    const int t = std::max(1, qRound(m_scale));
    painter.fillRect(rect(), isChecked() ? QColor(255, 255, 255) : QColor(0, 0, 180));

    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QColor dark(0, 0, 0);
    painter.fillRect(QRect(0, 0, w, t), down ? dark : light);
    painter.fillRect(QRect(0, 0, t, h), down ? dark : light);
    painter.fillRect(QRect(0, h - t, w, t), down ? light : dark);
    painter.fillRect(QRect(w - t, 0, t, h), down ? light : dark);
    if (down) {
        painter.fillRect(QRect(t, t, w - 2 * t, t), shadow);
        painter.fillRect(QRect(t, t, t, h - 2 * t), shadow);
    } else {
        painter.fillRect(QRect(t, h - 2 * t, w - 2 * t, t), shadow);
        painter.fillRect(QRect(w - 2 * t, t, t, h - 2 * t), shadow);
    }

    QColor caption = isChecked() ? QColor(0, 0, 128) : QColor(255, 255, 255);
    if (!isEnabled()) caption = isChecked() ? QColor(160, 160, 160) : QColor(130, 130, 200);
    painter.setPen(caption);
    painter.setFont(font());
    const int across = qRound(3 * m_scale), along = qRound(2 * m_scale);
    const QRect textRect =
        rect().adjusted(across, along, -across, -along).translated(down ? t : 0, down ? t : 0);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, text());
    if (hasFocus()) {
        // A solid frame two lines wide, in a colour that stands out from either face: gold on
        // the dark blue, dark blue on the white.
        const QColor frame = isChecked() ? QColor(0, 0, 180) : QColor(255, 210, 0);
        const QRect edge = rect().adjusted(along, along, -along, -along);
        const int width = 2 * t;
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
