#pragma once
// The loader and writer of set-up files as the windows use them: they show the program's
// messages and drive the main window. The file work itself is in setupfile.h.

#include "files/setupfile.h"

class QWidget;

namespace alambix {

class FeuilleP;

// `chargemontage`: loads the set-up file named by `cheminmontage` into the main window's
// element buttons. `dialogToRepaint` (the open dialog, when showing) is repainted first so its
// waiting notice shows, and parents the messages. Returns what the read gave.
SetupReadStatus chargemontage(FeuilleP& main, QWidget* dialogToRepaint = nullptr);

// Writes the current set-up to `cheminmontage`. On success the caption names the file; on
// failure "Ecriture impossible sur disque" is shown over `dialog` and nothing else changes.
bool ecritmontage(FeuilleP& main, QWidget* dialog = nullptr);

// The caption after a successful load or save.
QString captionFor(const QString& path);

} // namespace alambix
