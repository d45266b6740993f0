#pragma once
// "Enregistrer l'image…" of the copy menu and of the worksheet: the picture saved as a PNG, SVG
// or PDF file.

#include "drawing/picture.h"

#include <QString>

class QWidget;

namespace alambix {

// Asks for a file name (the type follows its suffix in any case, else the chosen filter) and
// writes the picture there; a failed write is said in French over `parent` and leaves the old
// file as it was. `folder` is where the dialog opens. With `offerLabels` the dialog also offers
// the drawing labelled with the pieces' names ("Légender le schéma"). Returns the file written,
// or empty.
QString enregistrerImage(QWidget* parent, const PictureOptions& options, const QString& folder,
                         bool offerLabels = false);

} // namespace alambix
