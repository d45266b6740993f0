#pragma once
// The drawing for the photocopier: a white ground, black outlines, liquids shown by hatching
// (cool and warm liquids hatched in opposite directions, so two phases stay apart), glass by its
// outline alone; every colour is a grey.

#include "drawing/canvas.h"

class QPainter;

namespace alambix {

// Draws on `inner`, which paints with `painter`, turning each colour into black, white or grey
// and each liquid into hatching; the artwork is drawn in black and white, as vectors when
// `asVector` (export, print), otherwise from pixels rendered once.
class MonochromeCanvas final : public Canvas {
public:
    MonochromeCanvas(QPainter& painter, Canvas& inner, bool asVector)
        : m_painter(painter), m_inner(inner), m_asVector(asVector) {}

    int width() const override { return m_inner.width(); }
    int height() const override { return m_inner.height(); }
    void line(QPointF from, QPointF to, const QColor& colour) override;
    void box(int x1, int y1, int x2, int y2, const QColor& colour) override;
    void filledBox(int x1, int y1, int x2, int y2, const QColor& colour) override;
    void arc(double cx, double cy, double r, const QColor& colour, double start, double end,
             double aspect) override;
    void ellipse(double cx, double cy, double r, const QColor& colour, double aspect) override;
    void setSmooth(bool smooth) override { m_inner.setSmooth(smooth); }
    void bitmap(ArtworkId id, int x, int y) override;
    void text(int x, int y, const QString& text, double pointSize, const QColor& colour) override;
    double textWidth(const QString& text, double pointSize) const override {
        return m_inner.textWidth(text, pointSize);
    }

    using Canvas::line;

private:
    QPainter& m_painter;
    Canvas& m_inner;
    bool m_asVector;
};

// The grey a line of `colour` is drawn in: dark colours black, light greys a middle grey, white
// and light tints white (the hoses' rubber becomes a tube between its black edges).
QColor monochromeLine(const QColor& colour);

// One piece of artwork in black and white, its top-left corner at `topLeft`: as vectors, or
// from its pixels at its own size (rendered once).
void drawMonochromeArtwork(QPainter& painter, ArtworkId id, QPointF topLeft, bool asVector);

} // namespace alambix
