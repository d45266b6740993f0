#include "drawing/printlayout.h"

#include "core/safewrite.h"
#include "drawing/drawingexport.h"
#include "drawing/fonts.h"
#include "drawing/setupdrawing.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

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
    QRectF place = drawingPlacement(QSizeF(device.width(), device.height()), device.logicalDpiX(),
                                    device.logicalDpiY(), options);
    QFont titleFont(windowFontFamily());
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setBold(true);
    // 16 points on paper, whatever the printer's resolution.
    titleFont.setPixelSize(static_cast<int>(std::lround(16 * device.logicalDpiY() / 72.0)));
    QRectF titleBox;
    if (!options.title.isEmpty()) {
        const double height = QFontMetricsF(titleFont, &device).height();
        const double shift = height * 1.5;
        place.translate(0, options.centreVertically ? shift / 2 : shift);
        titleBox =
            options.centreHorizontally
                ? QRectF(0, place.top() - shift, device.width(), height)
                : QRectF(place.left(), place.top() - shift, device.width() - place.left(), height);
    }
    for (int copy = 1; copy <= copies; ++copy) {
        if (!titleBox.isNull()) {
            painter.setFont(titleFont);
            painter.setPen(Qt::black);
            painter.drawText(titleBox,
                             (options.centreHorizontally ? Qt::AlignHCenter : Qt::AlignLeft) |
                                 Qt::AlignTop,
                             options.title);
        }
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

PrintResult printToPdfFile(const QString& path, const QPageLayout& layout, int resolution,
                           const QString& title,
                           const std::function<PrintResult(QPagedPaintDevice&)>& print) {
    PrintResult printed = PrintResult::NotStarted;
    const WriteOutcome outcome = writeFileSafely(path, [&](QIODevice& device) {
        QPdfWriter writer(&device);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Alambix"));
        writer.setResolution(resolution);
        writer.setPageLayout(layout);
        printed = print(writer);
        return printed == PrintResult::Printed;
    });
    if (printed != PrintResult::Printed) return printed;
    return outcome == WriteOutcome::Written ? PrintResult::Printed : PrintResult::WriteFailed;
}

PrintResult printDrawingToFile(const QString& path, const QPageLayout& layout, int resolution,
                               const QString& title, const SetupValues& values,
                               const PrintOptions& options) {
    return printToPdfFile(path, layout, resolution, title, [&](QPagedPaintDevice& device) {
        return printDrawing(device, values, options);
    });
}

} // namespace alambix
