#pragma once
// Colour and position sums land on whole pixels and colour levels the same way everywhere:
// rounded to the nearest integer, halves to even.

#include <cmath>

namespace alambix {

inline int nearest(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace alambix
