#pragma once
// The parts of a set-up a worksheet labels: every piece of glassware that is on, the heating
// mantle, each condenser's water inlet and outlet, and the hardware that holds them; where each
// label's leader line starts, and the name a chemistry teacher writes.

#include "core/elements.h"

#include <QPointF>
#include <QString>

#include <vector>

namespace alambix {

enum class PartKind {
    Element,  // a glassware piece: `element` is its index
    Heater,   // the heating mantle under the flask
    WaterIn,  // a condenser's water inlet (`element`: the condenser)
    WaterOut, // its outlet
    Stand,
    Clamp,
    Tap,      // the water tap
    Pump,     // the water-jet pump of the vacuum flask
    Jack,     // the raised support under the receiver
    Stopcock, // the separating funnel's tap
};

struct LabelPart {
    PartKind kind = PartKind::Element;
    int element = -1;
    // Where the leader line starts: a pixel the part is drawn on, in the drawing's frame.
    QPointF anchor;
};

// The parts of the set-up as the redraw draws it, found in what its blocks draw: each element that
// is on once, the heater with the flask, inlet and outlet with each condenser, one stand, one
// clamp, the tap, the pump, the raised support and the funnel's tap when they are drawn. Each
// anchor is on the side of its piece that faces the nearer margin.
std::vector<LabelPart> labelParts(const SetupValues& values);

// The part as `alambix-cli draw --labels` names it: "0".."13", "heater", "water-in", ...
QString partId(const LabelPart& part);
// The French name written on the label: "Ballon", "Chauffe-ballon", "Entrée d'eau", ...
QString partName(const LabelPart& part);

} // namespace alambix
