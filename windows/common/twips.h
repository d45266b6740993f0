#pragma once
// Window positions and sizes are given in twips: 15 to the pixel at 96 dots per inch.

#include <QRect>

namespace alambix {

constexpr int twips(int value) {
    return value / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace alambix
