#pragma once
// The painted background of the calculator window: a cyan gradient, an outline and the engraved
// frame around the digit keys, in pixels of the 301 x 430 client area.
class QPainter;

namespace alambix {

void paintMachineBackground(QPainter& painter);

} // namespace alambix
