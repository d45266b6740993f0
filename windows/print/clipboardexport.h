#pragma once
// The copy of the drawing to the clipboard, as a 321 x 490 bitmap, with or without background.

#include <QString>

namespace alambix {

class SetupDocument;

// `messagecopie`: the confirmation written into the hint line after a copy.
QString messagecopie();

// `avecfond`: the drawing as the screen shows it.
void avecfond(const SetupDocument& document);
// `sansfond`: the set-up redrawn on the bare surface; the background is put back afterwards.
void sansfond(SetupDocument& document);

} // namespace alambix
