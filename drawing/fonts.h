#pragma once
// The program's fonts, for its windows, the drawing and the introduction: Liberation Sans, which
// has the same metrics as Arial (the window sizes are worked out in Arial) and is installed with
// the program.

#include <QFont>

namespace alambix {

inline QFont sizedFont(const QString& family, QFont::StyleHint hint, double pointSize, bool bold) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

inline QString windowFontFamily() {
    return QStringLiteral("Liberation Sans");
}

inline QFont windowFont(double pointSize, bool bold = false) {
    return sizedFont(windowFontFamily(), QFont::SansSerif, pointSize, bold);
}

// "Times New Roman" of the window designs: Liberation Serif, which has its metrics.
inline QFont serifWindowFont(double pointSize, bool bold = false) {
    return sizedFont(QStringLiteral("Liberation Serif"), QFont::Serif, pointSize, bold);
}

} // namespace alambix
