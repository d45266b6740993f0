#pragma once
// Where a worksheet's labels go: in margins left and right of the drawing, each joined to its
// part by a straight leader line; no label on another or on the drawing, no two leader lines
// crossing, numbered down the left margin, then down the right one.

#include "core/elements.h"
#include "drawing/labelparts.h"

#include <QFont>
#include <QPoint>
#include <QRectF>
#include <QSize>

#include <vector>

namespace alambix {

// What the labels show: nothing (the plain drawing), the names, or numbers (the pupil's sheet,
// whose names are the answer key).
enum class LabelMode { None, Names, Numbers };

struct PlacedLabel {
    int number = 0; // 1..N in reading order
    LabelPart part;
    QString name; // the French name, also in numbers mode
    QString text; // what the label shows: the name, or the number
    bool right = false;
    QPointF anchor; // where the leader line starts, on the part
    QRectF box;     // the text's box
    QPointF end;    // where the leader line meets the box
};

struct LabelLayout {
    QSize size;                      // the whole picture, in drawing pixels
    QPoint drawingAt;                // the drawing's top-left corner in it
    std::vector<PlacedLabel> labels; // in number order
};

// The labels' font at the drawing's scale.
QFont labelFont(LabelMode mode);

// The picture for `values`: with LabelMode::None the drawing alone (321 x 490 at 0,0); otherwise
// wider by its margins, and taller when a margin holds more labels than the drawing's height.
LabelLayout layoutLabels(const SetupValues& values, LabelMode mode);

// Whether the segments a-b and c-d have a point in common.
bool segmentsMeet(QPointF a, QPointF b, QPointF c, QPointF d);

} // namespace alambix
