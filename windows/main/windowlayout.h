#pragma once
// The main window at any size: its content stays together, centred in a window larger than the
// 800 x 600 it was drawn for, and the painted gradient fills the whole client area.

#include <QPoint>
#include <QSize>

namespace alambix {

// The size the window's content and painting were laid out for.
constexpr QSize DesignPage(800, 600);

// Where the content's top-left corner goes in a client area of `client`: centred on each axis
// where the client is larger than the page, at the edge otherwise.
QPoint contentOffset(QSize client);

// The gradient line (0..600) painted on row `y` of a client area `height` pixels high: one line
// per row up to 601 rows, the 601 lines stretched over a taller window.
int gradientLine(int y, int height);

} // namespace alambix
