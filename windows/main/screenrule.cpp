#include "windows/main/screenrule.h"

namespace alambix {

std::optional<QRect> smallScreenFrame(const QRect& screen) {
    if (screen.width() >= 850) return std::nullopt;
    constexpr int width = 800;
    constexpr int height = 600;
    return QRect(screen.x() + (screen.width() - width) / 2,
                 screen.y() + (screen.height() - height) / 2, width, height);
}

} // namespace alambix
