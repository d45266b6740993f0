#include "windows/main/windowlayout.h"

#include <algorithm>
#include <cmath>

namespace alambix {

QPoint contentOffset(QSize client) {
    return QPoint(std::max(0, (client.width() - DesignPage.width()) / 2),
                  std::max(0, (client.height() - DesignPage.height()) / 2));
}

int gradientLine(int y, int height) {
    constexpr int lines = 601;
    if (height <= lines) return std::clamp(y, 0, lines - 1);
    return static_cast<int>(std::lround(static_cast<double>(y) * (lines - 1) / (height - 1)));
}

} // namespace alambix
