#pragma once
// On screens narrower than 850 pixels the main window is held at 800 x 600, centred.

#include <QRect>

#include <optional>

namespace alambix {

// The frame the main window must take on `screen` (available geometry, pixels), or nothing
// when the screen is wide enough for the user to size the window freely.
std::optional<QRect> smallScreenFrame(const QRect& screen);

} // namespace alambix
