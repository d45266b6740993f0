#pragma once
// The hint line shows every hint whole: a hint too long for its box at the window's font is
// written smaller, never clipped.

#include <QFont>
#include <QSize>
#include <QString>

namespace alambix {

// `font`, or the same font made smaller in quarter-point steps, down to `smallestPointSize`,
// until `text` wrapped at word boundaries fits in `box`.
QFont fittingFont(QFont font, const QString& text, QSize box, double smallestPointSize);

// Whether `text`, wrapped at word boundaries in `font`, fits in `box`.
bool textFits(const QFont& font, const QString& text, QSize box);

} // namespace alambix
