#pragma once
// The worksheet on paper: a title, the picture as large as the page lets it be and, for the
// pupil's numbered sheet, the legend's lines to fill in; the answer key on a second page, the
// same sheet with the names written on the lines.

#include "core/elements.h"
#include "drawing/labellayout.h"
#include "drawing/printlayout.h"

#include <QSizeF>
#include <QString>

class QPageLayout;
class QPagedPaintDevice;
class QPainter;

namespace alambix {

struct WorksheetOptions {
    QString title{}; // over the drawing; none when empty
    LabelMode labels = LabelMode::Numbers;
    bool blackWhite = true;
    bool answerKey = true; // numbers only
};

// 2 for the numbered sheet with its answer key, otherwise 1.
int worksheetPageCount(const WorksheetOptions& options);

// Paints page `page` (0: the sheet, 1: the answer key) on a printable area of `area`, in units of
// a drawing pixel (1/96 inch) from the painter's origin.
void paintWorksheetPage(QPainter& painter, QSizeF area, const SetupValues& values,
                        const WorksheetOptions& options, int page);

// Prints every page of the worksheet, as vectors, in one job.
PrintResult printWorksheet(QPagedPaintDevice& device, const SetupValues& values,
                           const WorksheetOptions& options);

// The same job into a PDF file with the printer's page layout and resolution, through
// writeFileSafely(): the file is replaced only once every page is safely on disk.
PrintResult printWorksheetToFile(const QString& path, const QPageLayout& layout, int resolution,
                                 const QString& documentTitle, const SetupValues& values,
                                 const WorksheetOptions& options);

} // namespace alambix
