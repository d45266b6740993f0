#pragma once
// The drawing of a set-up put into a document, as "Insérer le schéma du montage" and the
// starter pack's corrections put it: painted at twice its pixel size, so that it stays sharp
// on paper, and shown in the text with the drawing's own proportions.

#include "core/elements.h"

#include <QImage>
#include <QString>

class QTextCursor;
class QTextDocument;

namespace alambix {

// How much larger than its 321 x 490 pixels the drawing is painted for a document.
inline constexpr int SetupPictureScale = 2;
// The width it is shown at, in the text's pixels: four centimetres and a bit on paper.
inline constexpr double SetupPictureWidth = 160;

// The set-up drawn with its background at SetupPictureScale times its size.
QImage setupPicture(const SetupValues& values);

// Adds the drawing of `values` to `document` as a picture and gives its name.
QString addSetupPicture(QTextDocument& document, const SetupValues& values);

// Inserts the drawing of `values` at the cursor, `width` pixels wide and as high as the
// drawing's proportions make it.
void insertSetupPicture(QTextCursor& cursor, const SetupValues& values,
                        double width = SetupPictureWidth);

} // namespace alambix
