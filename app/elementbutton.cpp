#include "app/elementbutton.h"

#include "app/elements.h"

namespace alambix {

namespace {
// Element buttons use the window's font at its normal weight; the border shows the pressed state.
const char* const offStyle = "QPushButton { background-color: rgb(0, 0, 180); color: white;"
                             " border: 2px outset rgb(120, 120, 220); font-weight: normal; }"
                             "QPushButton:disabled { color: rgb(150, 150, 190); }";
const char* const onStyle = "QPushButton { background-color: white; color: rgb(0, 0, 128);"
                            " border: 2px inset rgb(160, 160, 160); font-weight: normal; }"
                            "QPushButton:disabled { color: rgb(160, 160, 160); }";
} // namespace

ElementButton::ElementButton(int index, QWidget* parent)
    : QPushButton(elementCaption(index), parent), m_index(index)
{
    setObjectName(QStringLiteral("Check1_%1").arg(index));
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    showValue(false);
}

void ElementButton::showValue(bool on)
{
    setChecked(on);
    setStyleSheet(QLatin1String(on ? onStyle : offStyle));
}

} // namespace alambix
