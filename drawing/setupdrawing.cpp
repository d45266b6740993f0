#include "drawing/setupdrawing.h"

#include "drawing/canvas.h"

#include <cmath>

namespace alambix {

int setupAxis(int width) {
    return static_cast<int>(std::nearbyint(width / 3.0));
}

void textintro(Canvas& canvas) {
    constexpr double size = 14;
    const struct {
        const char* text;
        int y;
    } lines[] = {
        {"Utiliser les boutons à gauche du", 100},
        {"schéma pour réaliser le montage.", 130},
    };
    for (const auto& line : lines) {
        const QString text = QString::fromUtf8(line.text);
        const int x =
            static_cast<int>(std::nearbyint((canvas.width() - canvas.textWidth(text, size)) / 2));
        canvas.text(x + 1, line.y + 1, text, size, paletteColour(15));
        canvas.text(x, line.y, text, size, paletteColour(9));
    }
}

void paintGradient(Canvas& canvas) {
    const int h = canvas.height();
    for (int i = 0; i <= h; ++i) {
        const double t = static_cast<double>(i) / h;
        const int blue = static_cast<int>(std::nearbyint(t * 100 + 155));
        const int green = static_cast<int>(std::nearbyint(t * 55 + 200));
        // A one-row filled box covers exactly the pixels of the line (0, i)-(W, i), and is far
        // cheaper to paint.
        canvas.filledBox(0, i, canvas.width(), i, QColor(255, green, blue));
    }
}

void drawSetup(Canvas& canvas, const SetupValues& values) {
    drawElementBlocks(canvas, values);
    bool aumoinsun = false;
    for (bool on : values)
        aumoinsun = aumoinsun || on;
    if (!aumoinsun) textintro(canvas);
}

} // namespace alambix
