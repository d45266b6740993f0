#pragma once
// Rich-text documents measure lengths in twips: 15 to the pixel at 96 dots per inch.

#include <algorithm>
#include <cmath>

namespace alambix::rtf {

constexpr double pixelsFromTwips(double twips) {
    return twips / 15.0;
}

// Lengths beyond what any page holds are cut to 22 inches, so that sums of them stay in range.
inline int twipsFromPixels(double pixels) {
    return int(std::lround(std::clamp(pixels * 15.0, -31680.0, 31680.0)));
}

} // namespace alambix::rtf
