#include "windows/authoring/levellamps.h"

#include "assets/assets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace alambix {

namespace {
constexpr int LampSide = 32;
constexpr int Gap = 4;
constexpr int Lamps = 3;
} // namespace

LevelLamps::LevelLamps(QWidget* parent)
    : QWidget(parent),
      m_lit(renderPicture(QStringLiteral(":/icons/lamp-lit.svg"), QSize(LampSide, LampSide))),
      m_dark(renderPicture(QStringLiteral(":/icons/lamp-dark.svg"), QSize(LampSide, LampSide))) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Niveau de difficulté"));
    setToolTip(QStringLiteral("Niveau de 0 à 3 : un clic sur une lampe, ou les flèches"));
}

void LevelLamps::setLevel(int level) {
    level = std::clamp(level, 0, Lamps);
    if (level == m_level) return;
    m_level = level;
    setAccessibleDescription(QString::number(level));
    update();
    emit levelChanged(level);
}

QSize LevelLamps::sizeHint() const {
    return {Lamps * LampSide + (Lamps + 1) * Gap, LampSide + 2 * Gap};
}

QRect LevelLamps::lampRect(int index) const {
    return {Gap + index * (LampSide + Gap), Gap, LampSide, LampSide};
}

void LevelLamps::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < Lamps; ++i)
        painter.drawPixmap(lampRect(i), m_level > i ? m_lit : m_dark);
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void LevelLamps::mousePressEvent(QMouseEvent* event) {
    for (int i = 0; i < Lamps; ++i) {
        if (!lampRect(i).contains(event->position().toPoint())) continue;
        setLevel(m_level == i + 1 ? i : i + 1);
        return;
    }
    QWidget::mousePressEvent(event);
}

void LevelLamps::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Plus:
        setLevel(m_level + 1);
        return;
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Minus:
        setLevel(m_level - 1);
        return;
    default:
        break;
    }
    if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_0 + Lamps) {
        setLevel(event->key() - Qt::Key_0);
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace alambix
