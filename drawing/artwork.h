#pragma once
// The apparatus artwork: vector drawings rendered at their exact pixel size for the screen and
// kept as vectors for export and print.

#include <QImage>
#include <QSize>

class QPainter;

namespace alambix {

enum class ArtworkId {
    StemmedGlass,      // element 0
    Beaker,            // element 1
    Erlenmeyer,        // element 2
    FilterFunnel,      // element 5
    VacuumFlask,       // element 4
    FlaskWithMantle,   // element 3
    SeparatingFunnel,  // element 7
    Buchner,           // element 6
    BulbCondenser,     // element 8
    VigreuxColumn,     // element 10
    StraightCondenser, // element 9
    Thermometer,       // element 11
    Tap,               // the water tap icon
};
constexpr int ArtworkCount = 13;

// Pixel size of a piece of artwork on the drawing.
QSize artworkSize(ArtworkId id);

// Renders the artwork, each piece once, at its own size (cached).
QImage artworkImage(ArtworkId id);

// Draws the artwork with its top-left corner at `topLeft` and its own size: from the vector
// source when `asVector` (export, print), otherwise from the cached pixel image.
void drawArtwork(QPainter& painter, ArtworkId id, QPointF topLeft, bool asVector);

} // namespace alambix
