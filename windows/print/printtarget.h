#pragma once
// Where the program prints: the printer chosen for the session, or a PDF file when the desktop
// has no printer at all.

#include <QString>

class QPrinter;
class QWidget;

namespace alambix {

// The printer the program prints on unless told otherwise: created at its first use and kept
// for the session, so that the choice made in a print dialog holds for later prints.
QPrinter& programPrinter();

// Whether the printer can print: an installed printer, or a PDF file to write.
bool canPrint(const QPrinter& printer);

// Asks where to write a PDF file ("Imprimer dans un fichier PDF"), starting in the user's
// documents folder with `suggestedName`, and sets the printer to write it. False when the user
// cancels.
bool choosePdfFile(QWidget* parent, QPrinter& printer, const QString& suggestedName);

} // namespace alambix
