#pragma once
// Recognition of the seven classic set-ups.

#include "core/elements.h"

#include <QString>

namespace alambix {

// The name of the set-up, or the empty text when it is none of the seven.
QString recogniseSetup(const SetupValues& values);

} // namespace alambix
