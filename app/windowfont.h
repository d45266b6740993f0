#pragma once
// The fonts of the program's windows: Liberation Sans, which has the same metrics as Arial (the
// window sizes are worked out in Arial) and is installed with the program.

#include <QFont>

namespace alambix {

inline QFont windowFont(double pointSize, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// "Times New Roman" of the window designs: Liberation Serif, which has its metrics.
inline QFont serifWindowFont(double pointSize, bool bold = false) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace alambix
