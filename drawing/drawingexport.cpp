#include "drawing/drawingexport.h"

#include "core/safewrite.h"
#include "drawing/drawingsurface.h"
#include "drawing/paintercanvas.h"
#include "drawing/setupdrawing.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace alambix {

namespace {
// The drawing's pixels are 96 to the inch on every device.
constexpr int PixelsPerInch = 96;

QString drawingTitle() {
    return QStringLiteral("Alambix : schéma du montage");
}

bool writeSvg(QIODevice& device, const SetupValues& values, bool withBackground) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(QSize(DrawingWidth, DrawingHeight));
    generator.setViewBox(QRect(0, 0, DrawingWidth, DrawingHeight));
    generator.setResolution(PixelsPerInch);
    generator.setTitle(drawingTitle());
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    renderDrawing(painter, values, withBackground);
    return painter.end();
}

bool writePdf(QIODevice& device, const SetupValues& values, bool withBackground) {
    // One page exactly the drawing's size, at its physical size (321 x 490 pixels at 96 dpi).
    QPdfWriter writer(&device);
    writer.setTitle(drawingTitle());
    writer.setCreator(QStringLiteral("Alambix"));
    writer.setResolution(PixelsPerInch);
    const QSizeF points(DrawingWidth * 72.0 / PixelsPerInch, DrawingHeight * 72.0 / PixelsPerInch);
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    renderDrawing(painter, values, withBackground);
    return painter.end();
}

bool writePng(QIODevice& device, const SetupValues& values, bool withBackground) {
    DrawingSurface surface;
    if (withBackground) surface.paintBackground();
    surface.drawSetup(values);
    return surface.image().save(&device, "PNG");
}
} // namespace

void renderDrawing(QPainter& painter, const SetupValues& values, bool withBackground) {
    painter.save();
    painter.setClipRect(QRect(0, 0, DrawingWidth, DrawingHeight));
    painter.fillRect(QRect(0, 0, DrawingWidth, DrawingHeight), DrawingSurface::backColour());
    PainterCanvas canvas(painter, DrawingWidth, DrawingHeight, Strokes::Vector);
    if (withBackground) paintGradient(canvas);
    drawSetup(canvas, values);
    painter.restore();
}

std::optional<ExportFormat> exportFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("svg")) return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    return std::nullopt;
}

bool writeDrawing(QIODevice& device, ExportFormat format, const SetupValues& values,
                  bool withBackground) {
    // Into memory first: the SVG and PDF generators do not report a failed write, so the device
    // gets the finished bytes in one write whose result is checked.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    switch (format) {
    case ExportFormat::Png:
        drawn = writePng(buffer, values, withBackground);
        break;
    case ExportFormat::Svg:
        drawn = writeSvg(buffer, values, withBackground);
        break;
    case ExportFormat::Pdf:
        drawn = writePdf(buffer, values, withBackground);
        break;
    }
    return drawn && !bytes.isEmpty() && writeAll(device, bytes);
}

ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path) {
    const auto format = exportFormatFor(path);
    if (!format) return ExportResult::UnknownFormat;
    const WriteOutcome outcome = writeFileSafely(path, [&](QIODevice& device) {
        return writeDrawing(device, *format, values, withBackground);
    });
    return outcome == WriteOutcome::Written ? ExportResult::Written : ExportResult::WriteFailed;
}

} // namespace alambix
