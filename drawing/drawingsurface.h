#pragma once
// The drawing's persistent image and its background picture.

#include "core/elements.h"

#include <QColor>
#include <QImage>

#include <functional>
#include <optional>
#include <vector>

namespace alambix {

class Canvas;

class DrawingSurface {
public:
    DrawingSurface();

    // The drawing's own 321 x 490 image: the clipboard copy, the PNG export and the tests.
    const QImage& image() const { return m_image; }
    // What a screen shows: on a screen of more than one device pixel per pixel, or with the
    // drawing shown larger than its 321 x 490, the same drawing painted at that resolution
    // (vector artwork, text and curves drawn sharp), else image() itself. Its device pixel
    // ratio is the screen's ratio times the zoom.
    const QImage& screenImage() const { return m_sharp.isNull() ? m_image : m_sharp; }
    qreal screenRatio() const { return m_ratio; }
    qreal screenZoom() const { return m_zoom; }
    // Keeps screenImage() at `ratio` device pixels per screen pixel and `zoom` screen pixels
    // per drawing pixel from now on, and paints it again with the background and the last
    // set-up drawn (the pump's water lines start anew). Unzoomed, a one-pixel line is one
    // device pixel wide, as fine as the screen; zoomed, every line grows with the drawing.
    void setScreenRatio(qreal ratio, qreal zoom = 1);
    bool hasBackground() const { return !m_background.empty(); }

    // `fondessin`'s drawing part: paints the gradient, makes it the background picture and
    // clears the surface to it.
    void paintBackground();
    // Assigns an empty picture: clearing then gives the plain back colour.
    void removeBackground();
    // Clears to the background picture, or to the back colour without one.
    void clear();
    // `desdes`'s drawing part: clears, then draws the set-up (or the invitation).
    void drawSetup(const SetupValues& values);
    // One tick of the pump's water: a short vertical line from four uniform numbers in [0, 1).
    void drawWaterLine(double r1, double r2, double r3, double r4);

    // The surface's back colour, the system window colour.
    static QColor backColour() { return QColor(255, 255, 255); }

private:
    using Painting = std::function<void(Canvas&)>;
    // Paints on the image and, when there is one, on the screen's sharp copy.
    void paint(const Painting& painting);
    void paintSharp(const Painting& painting);

    // The background picture is a vertical gradient: one colour a row is all it takes to clear
    // to it (a copy of the whole picture would cost a second image).
    using Rows = std::vector<QRgb>;
    static Rows rowsOf(const QImage& image);
    static void fillRows(QImage& image, const Rows& rows);

    QImage m_image;
    Rows m_background;
    // The screen's copy at m_ratio and its background; null at a ratio of 1.
    QImage m_sharp;
    Rows m_sharpBackground;
    qreal m_ratio = 1;
    qreal m_zoom = 1;
    std::optional<SetupValues> m_drawn;
};

} // namespace alambix
