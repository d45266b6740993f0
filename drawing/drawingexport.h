#pragma once
// Writing the drawing to a file: PNG at its pixel size, SVG and PDF as vectors.

#include "core/elements.h"

#include <QString>

#include <optional>

class QIODevice;
class QPainter;

namespace alambix {

// Paints the drawing as vectors in its pixel frame (321 x 490 units from the painter's origin):
// the gradient background when asked, or the plain back colour, then the set-up. Used by export
// and printing, so that both stay sharp at any size.
void renderDrawing(QPainter& painter, const SetupValues& values, bool withBackground);

enum class ExportFormat { Png, Svg, Pdf };
enum class ExportResult { Written, UnknownFormat, WriteFailed };

// The format a file name asks for by its suffix (case ignored), if it is one we write.
std::optional<ExportFormat> exportFormatFor(const QString& path);

// Writes the drawing in `format` to an open device: PNG 321 x 490 pixels, SVG with a 321 x 490
// view box at 96 dpi, PDF on one page the drawing's physical size. False when writing failed.
bool writeDrawing(QIODevice& device, ExportFormat format, const SetupValues& values,
                  bool withBackground);

// Writes the set-up's drawing as the screen shows it (without the pump's random water lines),
// with or without the gradient background; the format follows the file name's suffix. Written
// through writeFileSafely(): a failed export leaves the old file as it was.
ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path);

} // namespace alambix
