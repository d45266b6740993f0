#pragma once
// "Enregistrer l'image…" of the copy menu: the drawing saved as a PNG, SVG or PDF file.

#include "core/elements.h"

#include <QString>

class QWidget;

namespace alambix {

// Asks for a file name (the type follows its suffix in any case, else the chosen filter) and
// writes the drawing there; a failed write is said in French over `parent` and leaves the old
// file as it was. `folder` is where the dialog opens. Returns the file written, or empty.
QString enregistrerImage(QWidget* parent, const SetupValues& values, bool withBackground,
                         const QString& folder);

} // namespace alambix
