#pragma once
// The drawing's persistent image and its background picture.

#include "app/elements.h"

#include <QColor>
#include <QImage>

namespace alambix {

class DrawingSurface {
public:
    DrawingSurface();

    const QImage& image() const { return m_image; }
    bool hasBackground() const { return !m_background.isNull(); }

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
    QImage m_image;
    QImage m_background;
};

} // namespace alambix
