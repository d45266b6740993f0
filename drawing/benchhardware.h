#pragma once
// The laboratory hardware shared by several apparatus: stands, clamp, tap, raised support, the
// joint at the flask's neck and the rubber hoses.

#include "core/elements.h"

#include <QColor>

#include <array>
#include <string_view>

namespace alambix {

class Canvas;

// Left stand: grey rod from y 150 to 450 on a white base plate.
void potencegauche(Canvas& canvas);
// Right stand: the left one 180 pixels further right.
void potencedroite(Canvas& canvas);
// Clamp arm from the left stand to the jaw around the axis (x 91..118) at height `hpince`.
// Always followed by potencegauche, whose rod covers the arm's left end.
void pince(Canvas& canvas, int hpince);
// Water tap icon at (259, hrobinet), spout down on the left, supply hose to the right edge.
void robinet(Canvas& canvas, int hrobinet);
// Raised support whose top edge is at `hsupport`, with the pale contact line of the beaker or
// the Erlenmeyer standing on it.
void support(Canvas& canvas, int hsupport, const SetupValues& values);
// Red joint where a column or condenser meets the flask's neck.
void neckJoint(Canvas& canvas);

// Hose colours: outline, body, highlight.
QColor hoseOutline();
QColor hoseBody();
QColor hoseHighlight();

// A curved hose: 7 arcs with one centre and span and consecutive radii; `colours` gives each
// arc's colour in drawing order, 'O' outline, 'B' body, 'H' highlight.
void hose(Canvas& canvas, double cx, double cy, double start, double end,
          const std::array<int, 7>& radii, std::string_view colours);

} // namespace alambix
