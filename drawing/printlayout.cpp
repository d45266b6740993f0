#include "drawing/printlayout.h"

#include "core/safewrite.h"
#include "drawing/drawingexport.h"
#include "drawing/setupdrawing.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace alambix {

QRectF drawingPlacement(QSizeF drawableSize, double dotsPerInchX, double dotsPerInchY,
                        const PrintOptions& options) {
    // A pixel of the drawing is 1/96 inch on paper, so the print keeps the size seen on screen.
    const double width =
        options.miniature ? DrawingWidth : DrawingWidth * dotsPerInchX / DrawingDotsPerInch;
    const double height =
        options.miniature ? DrawingHeight : DrawingHeight * dotsPerInchY / DrawingDotsPerInch;
    const double x =
        options.centreHorizontally ? (drawableSize.width() - width) / 2 : drawableSize.width() / 10;
    const double y = options.centreVertically ? (drawableSize.height() - height) / 2
                                              : drawableSize.height() / 20;
    return QRectF(x, y, width, height);
}

PrintResult printDrawing(QPagedPaintDevice& device, const SetupValues& values,
                         const PrintOptions& options) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintResult::NotStarted;
    const int copies = std::clamp(options.copies, MinimumCopies, MaximumCopies);
    const QRectF place = drawingPlacement(QSizeF(device.width(), device.height()),
                                          device.logicalDpiX(), device.logicalDpiY(), options);
    for (int copy = 1; copy <= copies; ++copy) {
        painter.save();
        painter.translate(place.topLeft());
        painter.scale(place.width() / DrawingWidth, place.height() / DrawingHeight);
        renderDrawing(painter, values, options.withBackground);
        painter.restore();
        if (copy < copies && !device.newPage()) {
            painter.end();
            return PrintResult::Interrupted;
        }
    }
    return painter.end() ? PrintResult::Printed : PrintResult::Interrupted;
}

PrintResult printDrawingToFile(const QString& path, const QPageLayout& layout, int resolution,
                               const QString& title, const SetupValues& values,
                               const PrintOptions& options) {
    PrintResult printed = PrintResult::NotStarted;
    const WriteOutcome outcome = writeFileSafely(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Alambix"));
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        printed = printDrawing(writer, values, options);
        return printed == PrintResult::Printed;
    });
    if (printed != PrintResult::Printed) return printed;
    return outcome == WriteOutcome::Written ? PrintResult::Printed : PrintResult::WriteFailed;
}

} // namespace alambix
