#pragma once
// Where the drawing goes on a printed page, and the print job itself: one page per copy.

#include "core/elements.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>

class QPageLayout;
class QPagedPaintDevice;

namespace alambix {

// The choices of the print dialog, as they stand when "&OK" is clicked.
struct PrintOptions {
    bool centreHorizontally = true; // `Chec` 0
    bool centreVertically = true;   // `Chec` 1
    bool withBackground = true;     // `Chec` 2
    bool miniature = false;         // `Chec` 3, never shown to the user
    int copies = 1;                 // `UpDown1`
    QString title{};                // printed over the drawing; none when empty
};

// Bounds of the copy count.
constexpr int MinimumCopies = 1;
constexpr int MaximumCopies = 99;

// The screen resolution the drawing's 321 x 490 pixels are meant for.
constexpr double DrawingDotsPerInch = 96.0;

// The drawing's rectangle in device pixels, relative to the top-left corner of the drawable
// area of `drawableSize`. At its physical size (3.34 x 5.10 inches) unless `miniature`, which
// takes one device pixel per drawing pixel. Centred on each axis that asks for it, otherwise at a
// tenth of the width from the left and a twentieth of the height from the top.
QRectF drawingPlacement(QSizeF drawableSize, double dotsPerInchX, double dotsPerInchY,
                        const PrintOptions& options);

enum class PrintResult {
    Printed,
    NotStarted,  // the device refused to open: no usable printer
    Interrupted, // a new page or the end of the job failed
    WriteFailed, // printing to a file: the file could not be written, the old one is unchanged
};

// Prints the set-up's drawing as vectors, once per copy, each copy on its own page of a single
// job; the job is ended after the last copy. A title stands over the drawing, the two placed as
// one block (centred, or from a twentieth of the height).
PrintResult printDrawing(QPagedPaintDevice& device, const SetupValues& values,
                         const PrintOptions& options);

// A print job made by `print` on a PDF file with the printer's page layout and resolution,
// written through writeFileSafely(): the file is replaced only once every page is safely on disk.
PrintResult printToPdfFile(const QString& path, const QPageLayout& layout, int resolution,
                           const QString& title,
                           const std::function<PrintResult(QPagedPaintDevice&)>& print);

// printDrawing() on a PDF file, as printToPdfFile() makes it.
PrintResult printDrawingToFile(const QString& path, const QPageLayout& layout, int resolution,
                               const QString& title, const SetupValues& values,
                               const PrintOptions& options);

} // namespace alambix
