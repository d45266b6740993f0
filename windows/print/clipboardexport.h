#pragma once
// The copy of the drawing to the clipboard, with or without background, alone or labelled: the
// bitmap at its pixel size, and beside it a PNG three times as large and an SVG, so that a pasted
// drawing prints sharp.

#include "drawing/picture.h"

#include <QImage>
#include <QString>

namespace alambix {

class SetupDocument;

// `messagecopie`: the confirmation written into the hint line after a copy.
QString messagecopie();

// `avecfond`: the drawing as the screen shows it.
void avecfond(const SetupDocument& document);
// `sansfond`: the set-up redrawn on the bare surface; the background is put back afterwards.
void sansfond(SetupDocument& document);
// The drawing labelled with the pieces' names, on its background.
void copyLabelledDrawing(const SetupDocument& document);
// Any picture of the set-up (the worksheet's).
void copyPicture(const PictureOptions& options);

// What a copy puts on the clipboard: `bitmap` as the image, a PNG of the picture at three times
// its size ("image/png") and the picture as SVG ("image/svg+xml").
void putPictureOnClipboard(const QImage& bitmap, const PictureOptions& options);

} // namespace alambix
