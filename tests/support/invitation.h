#pragma once
// Whether the drawing shows the invitation: its blue text in the band where it is written.

#include <QColor>
#include <QImage>

inline bool invitationShown(const QImage& image) {
    for (int y = 100; y < 155; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == QColor(0, 0, 255)) return true;
    return false;
}
