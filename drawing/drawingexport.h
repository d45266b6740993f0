#pragma once
// Writing the drawing to a file: PNG at its pixel size, SVG and PDF as vectors.

#include "app/elements.h"

#include <QString>

class QPainter;

namespace alambix {
// Paints the drawing as vectors in its pixel frame (321 x 490 units from the painter's origin):
// the gradient background when asked, or the plain back colour, then the set-up. Used by export
// and printing, so that both stay sharp at any size.
void renderDrawing(QPainter& painter, const SetupValues& values, bool withBackground);
} // namespace alambix

namespace alambix {

enum class ExportResult { Written, UnknownFormat, WriteFailed };

// Writes the set-up's drawing as the screen shows it (without the pump's random water lines),
// with or without the gradient background; the format follows the file name's suffix.
ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path);

} // namespace alambix
