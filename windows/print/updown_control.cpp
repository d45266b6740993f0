#include "windows/print/updown_control.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

#include <algorithm>

namespace alambix {

namespace {
// Holding an arrow steps again after a pause, then quickly, as spin boxes do.
constexpr int FirstRepeatDelay = 400;
constexpr int RepeatInterval = 60;
} // namespace

UpDownControl::UpDownControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    m_repeat.setSingleShot(false);
    connect(&m_repeat, &QTimer::timeout, this, &UpDownControl::repeatStep);
}

void UpDownControl::setRange(int minimum, int maximum) {
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void UpDownControl::setValue(int value) {
    const int bounded = std::clamp(value, m_minimum, m_maximum);
    if (bounded == m_value) return;
    m_value = bounded;
    update();
    emit valueChanged(m_value);
}

void UpDownControl::stepBy(int steps) {
    setValue(m_value + steps);
}

void UpDownControl::repeatStep() {
    m_repeat.setInterval(RepeatInterval);
    stepBy(m_pressedStep);
}

QRect UpDownControl::upArrowRect() const {
    return QRect(0, 0, width(), height() / 2);
}

QRect UpDownControl::downArrowRect() const {
    return QRect(0, height() / 2, width(), height() - height() / 2);
}

void UpDownControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const struct {
        QRect rect;
        int step;
        QStyle::PrimitiveElement arrow;
        bool available;
    } halves[] = {
        {upArrowRect(), 1, QStyle::PE_IndicatorArrowUp, m_value < m_maximum},
        {downArrowRect(), -1, QStyle::PE_IndicatorArrowDown, m_value > m_minimum},
    };
    for (const auto& half : halves) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = half.rect;
        button.state |= m_pressedStep == half.step ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = half.rect.adjusted(3, 2, -3, -2);
        if (!half.available || !isEnabled()) arrow.state &= ~QStyle::State_Enabled;
        style()->drawPrimitive(half.arrow, &arrow, &painter, this);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void UpDownControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressedStep = upArrowRect().contains(event->position().toPoint()) ? 1 : -1;
    stepBy(m_pressedStep);
    m_repeat.start(FirstRepeatDelay);
    update();
}

void UpDownControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_repeat.stop();
    m_pressedStep = 0;
    update();
}

void UpDownControl::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        stepBy(1);
        break;
    case Qt::Key_Down:
        stepBy(-1);
        break;
    case Qt::Key_PageUp:
        stepBy(10);
        break;
    case Qt::Key_PageDown:
        stepBy(-10);
        break;
    case Qt::Key_Home:
        setValue(m_minimum);
        break;
    case Qt::Key_End:
        setValue(m_maximum);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpDownControl::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) stepBy(delta > 0 ? 1 : -1);
    event->accept();
}

} // namespace alambix
