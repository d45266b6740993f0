#pragma once
// The formatting bar's pictures, drawn at the size and pixel ratio they are shown at, greyed
// when their action is disabled.

#include <QColor>
#include <QIcon>

namespace alambix {

enum class FormatPicture {
    Undo,
    Redo,
    Bold,
    Italic,
    Underline,
    Subscript,
    Superscript,
    TextColour,
    AlignLeft,
    AlignCentre,
    AlignRight,
    AlignJustify,
    BulletList,
    Symbol,
    Formula,
};

// `colour` is the bar under the letter of TextColour; the others ignore it.
QIcon formatIcon(FormatPicture picture, const QColor& colour = QColor());

} // namespace alambix
