#pragma once
// A picture of the set-up: the drawing with or without its background, in colour or in black and
// white, alone or labelled. The clipboard, the exports, the print and the worksheet draw it.

#include "core/elements.h"
#include "drawing/labellayout.h"
#include "drawing/paintercanvas.h"

#include <QImage>

class QPainter;

namespace alambix {

struct PictureOptions {
    SetupValues values{};
    bool withBackground = true; // the gradient; a black-and-white picture has none
    bool blackWhite = false;
    LabelMode labels = LabelMode::None;
};

// Paints the drawing alone in its 321 x 490 pixel frame from the painter's origin: the plain back
// colour, the background when asked, then the set-up, clipped to the frame. As vectors the
// background is one linear gradient, on pixels the gradient's rows.
void paintDrawing(QPainter& painter, const PictureOptions& options, Strokes strokes);

// Paints the picture in its pixel frame (`layout.size`) from the painter's origin: a white ground,
// the drawing at `layout.drawingAt`, then the leader lines and the labels (text, so that an SVG
// keeps them editable).
void paintPicture(QPainter& painter, const PictureOptions& options, const LabelLayout& layout,
                  Strokes strokes);

// The picture as pixels, `scale` device pixels per picture pixel: at 1 the drawing is the
// screen's own (one-pixel lines on whole pixels); larger, it is painted as vectors.
QImage pictureImage(const PictureOptions& options, const LabelLayout& layout, int scale = 1);

// The set-up's name for a title, or a plain caption when it has none.
QString pictureTitle(const SetupValues& values);
// A sentence that says what the picture shows, for the files' descriptions.
QString pictureDescription(const SetupValues& values);

} // namespace alambix
