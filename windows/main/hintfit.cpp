#include "windows/main/hintfit.h"

#include <QFontMetrics>
#include <QRect>

namespace alambix {

bool textFits(const QFont& font, const QString& text, QSize box) {
    const QRect bounds = QFontMetrics(font).boundingRect(QRect(QPoint(0, 0), box),
                                                         Qt::AlignCenter | Qt::TextWordWrap, text);
    return bounds.width() <= box.width() && bounds.height() <= box.height();
}

QFont fittingFont(QFont font, const QString& text, QSize box, double smallestPointSize) {
    while (!textFits(font, text, box) && font.pointSizeF() - 0.25 >= smallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    return font;
}

} // namespace alambix
