#pragma once
// The small set of drawing operations every apparatus drawing goes through.

#include "drawing/artwork.h"

#include <QColor>
#include <QPointF>
#include <QString>

namespace alambix {

// Colour n of the 16-colour console palette.
QColor paletteColour(int index);

// Drawing primitives in the pixel frame of the drawing (origin top-left, y downwards).
// Boxes include both corners; lines include both end points.
class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void line(QPointF from, QPointF to, const QColor& colour) = 0;
    virtual void box(int x1, int y1, int x2, int y2, const QColor& colour) = 0;
    virtual void filledBox(int x1, int y1, int x2, int y2, const QColor& colour) = 0;
    // Elliptic arc centred on (cx, cy): horizontal radius r, vertical radius r * aspect; angles
    // in radians counter-clockwise from 3 o'clock as seen on screen, from start to end.
    virtual void arc(double cx, double cy, double r, const QColor& colour, double start, double end,
                     double aspect) = 0;
    // The whole ellipse.
    virtual void ellipse(double cx, double cy, double r, const QColor& colour, double aspect) = 0;
    // While on, the arcs and ellipses are drawn smooth (antialiased) on the same pixels; a canvas
    // that cannot may ignore it.
    virtual void setSmooth(bool) {}
    // A piece of artwork at its own size, top-left corner at (x, y), transparent outside it.
    virtual void bitmap(ArtworkId id, int x, int y) = 0;
    // Text whose top-left corner is at (x, y), in the drawing's font at `pointSize`.
    virtual void text(int x, int y, const QString& text, double pointSize,
                      const QColor& colour) = 0;
    virtual double textWidth(const QString& text, double pointSize) const = 0;

    void line(int x1, int y1, int x2, int y2, const QColor& colour) {
        line(QPointF(x1, y1), QPointF(x2, y2), colour);
    }
};

} // namespace alambix
