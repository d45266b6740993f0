#pragma once
// The loader and writer of set-up files as the windows use them: they show the program's
// messages and change the document. The file work itself is in setupfile.h.

#include "core/filemessages.h"
#include "core/setupfile.h"

#include <QMessageBox>

class QWidget;

namespace alambix {

class SetupDocument;

// Shows one of the file messages over `parent`: critical, or the given icon and buttons.
// Returns the button pressed.
QMessageBox::StandardButton
showFileMessage(QWidget* parent, FileOutcome outcome,
                QMessageBox::Icon icon = QMessageBox::Critical,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// `chargemontage`: loads the set-up file named by the document's path. `view` is the drawing
// that shows the document, hidden while the elements change. `dialogToRepaint` (the open
// dialog, when showing) is repainted first so its waiting notice shows, and parents the
// messages; without it they stand over the view's window. Returns what the read gave.
SetupReadStatus chargemontage(SetupDocument& document, QWidget* view,
                              QWidget* dialogToRepaint = nullptr);

// Writes the current set-up to the document's path. On success the caption names the file; on
// failure "Ecriture impossible sur disque" is shown over `messageParent` and nothing changes.
bool ecritmontage(SetupDocument& document, QWidget* messageParent);

} // namespace alambix
