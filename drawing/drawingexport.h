#pragma once
// Writing the drawing to a file: PNG at its pixel size, SVG and PDF as vectors.

#include "core/elements.h"
#include "drawing/picture.h"

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

// Writes the picture in `format` to an open device: PNG at its pixel size (321 x 490 for the
// drawing alone), SVG with a view box of that size at 96 dpi, titled with the set-up's name and
// described in words, PDF on one page the picture's physical size. False when writing failed.
bool writePicture(QIODevice& device, ExportFormat format, const PictureOptions& options);
bool writeDrawing(QIODevice& device, ExportFormat format, const SetupValues& values,
                  bool withBackground);

// Writes the set-up's drawing as the screen shows it (without the pump's random water lines),
// with or without the gradient background; the format follows the file name's suffix. Written
// through writeFileSafely(): a failed export leaves the old file as it was.
ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path);
// The same for any picture of the set-up (labelled, black and white).
ExportResult exportPicture(const PictureOptions& options, const QString& path);

} // namespace alambix
