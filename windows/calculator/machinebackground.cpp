#include "windows/calculator/machinebackground.h"

#include <QColor>
#include <QPainter>

#include <cmath>

namespace alambix {

void paintMachineBackground(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i <= 301; ++i) {
        // Halves go to the even neighbour.
        const int b = static_cast<int>(std::nearbyint(200 - i / 2.0));
        painter.setPen(QColor(b, b + 50, b + 50));
        painter.drawLine(i, 0, i, 430);
    }
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor cyan(0, 128, 128);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(white);
    painter.drawRect(QRect(QPoint(1, 1), QPoint(299, 428)).adjusted(0, 0, -1, -1));
    painter.setPen(black);
    painter.drawLine(1, 1, 299, 1);
    painter.drawLine(1, 1, 1, 427);
    // The engraved frame around the digit keys.
    painter.setPen(white);
    painter.drawRect(QRect(QPoint(82, 290), QPoint(206, 421)).adjusted(0, 0, -1, -1));
    painter.setPen(cyan);
    painter.drawRect(QRect(QPoint(81, 289), QPoint(205, 420)).adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace alambix
