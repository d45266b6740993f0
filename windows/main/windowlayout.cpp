#include "windows/main/windowlayout.h"

#include <algorithm>
#include <cmath>

namespace alambix {

qreal contentScale(QSize client) {
    constexpr int steps = 20;
    const double fits = std::min(static_cast<double>(client.width()) / DesignPage.width(),
                                 static_cast<double>(client.height()) / DesignPage.height());
    // A hair of slack, so that a size that fits a step exactly is not lost to rounding.
    return std::max(1.0, std::floor(fits * steps + 1e-9) / steps);
}

QPoint contentOffset(QSize client, qreal scale) {
    const int width = static_cast<int>(std::lround(DesignPage.width() * scale));
    const int height = static_cast<int>(std::lround(DesignPage.height() * scale));
    return QPoint(std::max(0, (client.width() - width) / 2),
                  std::max(0, (client.height() - height) / 2));
}

int gradientLine(int y, int height) {
    constexpr int lines = 601;
    if (height <= lines) return std::clamp(y, 0, lines - 1);
    return static_cast<int>(std::lround(static_cast<double>(y) * (lines - 1) / (height - 1)));
}

} // namespace alambix
