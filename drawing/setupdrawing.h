#pragma once
// What a redraw puts on the drawing: the apparatus of the set-up, or the invitation.

#include "core/elements.h"

namespace alambix {

class Canvas;

constexpr int DrawingWidth = 321;
constexpr int DrawingHeight = 490;

// x of the vertical axis most apparatus hangs on: a third of the width, halves to even.
int setupAxis(int width);

// The element blocks in their fixed order; later blocks paint over earlier ones.
void drawElementBlocks(Canvas& canvas, const SetupValues& values);

// `textintro`: the two-line invitation written on an empty drawing.
void textintro(Canvas& canvas);

// `fondessin`'s gradient, one horizontal line per row from 0 to the height inclusive.
void paintGradient(Canvas& canvas);

// The whole set-up over whatever is on the canvas already: the element blocks, then the
// invitation when no element is on.
void drawSetup(Canvas& canvas, const SetupValues& values);

} // namespace alambix
