#pragma once
// Writing the drawing to a file: PNG at its pixel size, SVG and PDF as vectors.

#include "app/elements.h"

#include <QString>

namespace alambix {

enum class ExportResult { Written, UnknownFormat, WriteFailed };

// Writes the set-up's drawing as the screen shows it (without the pump's random water lines),
// with or without the gradient background; the format follows the file name's suffix.
ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path);

} // namespace alambix
