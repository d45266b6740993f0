#pragma once
#include "drawing/canvas.h"

class QPainter;

namespace alambix {

// How a canvas strokes its one-pixel lines.
enum class Strokes {
    Pixels,   // on the drawing's own pixels: each line fills the pixels right of and below it
    Vector,   // as vectors (export, print): a line one drawing pixel wide, on the same squares
    Hairline, // on a screen finer than the drawing (device pixel ratio above 1): one device
              // pixel wide, in the first device pixel of each square
};

// The canvas on any QPainter: a QImage for the screen, an SVG or PDF generator for export.
// Units are the drawing's pixels.
class PainterCanvas final : public Canvas {
public:
    PainterCanvas(QPainter& painter, int width, int height, Strokes strokes);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void line(QPointF from, QPointF to, const QColor& colour) override;
    void box(int x1, int y1, int x2, int y2, const QColor& colour) override;
    void filledBox(int x1, int y1, int x2, int y2, const QColor& colour) override;
    void arc(double cx, double cy, double r, const QColor& colour, double start, double end,
             double aspect) override;
    void ellipse(double cx, double cy, double r, const QColor& colour, double aspect) override;
    void setSmooth(bool smooth) override { m_smooth = smooth; }
    void bitmap(ArtworkId id, int x, int y) override;
    void text(int x, int y, const QString& text, double pointSize, const QColor& colour) override;
    double textWidth(const QString& text, double pointSize) const override;

    using Canvas::line;

private:
    void usePen(const QColor& colour);
    QPointF strokeOffset() const;
    QPointF curveOffset();

    QPainter& m_painter;
    int m_width;
    int m_height;
    Strokes m_strokes;
    bool m_smooth = false;
};

// The drawing's font at a size in points, for a 96-dot-per-inch pixel frame.
QFont drawingFont(double pointSize);

} // namespace alambix
