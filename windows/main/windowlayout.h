#pragma once
// The main window at any size: its content grows with the window, in proportion, centred in a
// window larger than the 800 x 600 page it was drawn for, and the painted gradient fills the
// whole client area.

#include <QPoint>
#include <QSize>

namespace alambix {

// The size the window's content and painting were laid out for.
constexpr QSize DesignPage(800, 600);

// How many times its size the page is shown in a client area of `client`: as large as fits, in
// steps of a twentieth, never smaller than designed. A window a few pixels larger than the
// page (the small screens' 800 x 600 frame) shows it as designed.
qreal contentScale(QSize client);

// Where the content's top-left corner goes in a client area of `client`, the page shown at
// `scale`: centred on each axis where the client is larger, at the edge otherwise.
QPoint contentOffset(QSize client, qreal scale = 1);

// The gradient line (0..600) painted on row `y` of a client area `height` pixels high: one line
// per row up to 601 rows, the 601 lines stretched over a taller window.
int gradientLine(int y, int height);

} // namespace alambix
