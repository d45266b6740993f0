#pragma once
// The font of the program's windows. "MS Sans Serif" and "Arial" of the original become
// Liberation Sans, which has the same metrics as Arial and is installed with the program.

#include <QFont>

namespace alambix {

inline QFont windowFont(double pointSize, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace alambix
