#pragma once
// Shared by the drawing tests: a set-up built by clicks, drawn as the screen shows it.

#include "core/setupmodel.h"
#include "drawing/drawingsurface.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

namespace alambix::testing {

// The set-up after clicking the elements in order, as a user would (rules included).
inline SetupValues setupAfterClicks(const QList<int>& clicks) {
    SetupModel model;
    for (int index : clicks)
        model.click(index);
    return model.values();
}

// The drawing of that set-up, on the gradient unless told otherwise.
inline QImage drawingAfterClicks(const QList<int>& clicks, bool withBackground = true) {
    DrawingSurface surface;
    if (withBackground) surface.paintBackground();
    surface.drawSetup(setupAfterClicks(clicks));
    return surface.image();
}

// Aligned 2 x 2 blocks that are not of one colour: none in a picture stretched to twice its
// size, many in one drawn anew at that size.
inline int finerBlocks(const QImage& image) {
    int count = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                ++count;
        }
    return count;
}

inline QString describe(QRgb pixel) {
    return QStringLiteral("RGB(%1, %2, %3)").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

} // namespace alambix::testing
