#include "drawing/canvas.h"
#include "drawing/setupdrawing.h"

namespace alambix {

void drawElementBlocks(Canvas& canvas, const SetupValues& values)
{
    // The apparatus drawings arrive with the artwork.
    (void)canvas;
    (void)values;
}

} // namespace alambix
