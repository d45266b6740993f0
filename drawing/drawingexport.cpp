#include "drawing/drawingexport.h"

#include "core/safewrite.h"

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

bool writeSvg(QIODevice& device, const PictureOptions& options, const LabelLayout& layout) {
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setSize(layout.size);
    generator.setViewBox(QRect(QPoint(0, 0), layout.size));
    generator.setResolution(PixelsPerInch);
    generator.setTitle(pictureTitle(options.values));
    generator.setDescription(pictureDescription(options.values));
    QPainter painter;
    if (!painter.begin(&generator)) return false;
    paintPicture(painter, options, layout, Strokes::Vector);
    return painter.end();
}

bool writePdf(QIODevice& device, const PictureOptions& options, const LabelLayout& layout) {
    // One page exactly the picture's size, at its physical size (96 pixels to the inch).
    QPdfWriter writer(&device);
    writer.setTitle(pictureTitle(options.values));
    writer.setCreator(QStringLiteral("Alambix"));
    writer.setResolution(PixelsPerInch);
    const QSizeF points = QSizeF(layout.size) * 72.0 / PixelsPerInch;
    writer.setPageLayout(
        QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    paintPicture(painter, options, layout, Strokes::Vector);
    return painter.end();
}
} // namespace

void renderDrawing(QPainter& painter, const SetupValues& values, bool withBackground) {
    paintDrawing(painter, PictureOptions{values, withBackground}, Strokes::Vector);
}

std::optional<ExportFormat> exportFormatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return ExportFormat::Png;
    if (suffix == QLatin1String("svg")) return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf")) return ExportFormat::Pdf;
    return std::nullopt;
}

bool writePicture(QIODevice& device, ExportFormat format, const PictureOptions& options) {
    // Into memory first: the SVG and PDF generators do not report a failed write, so the device
    // gets the finished bytes in one write whose result is checked.
    const LabelLayout layout = layoutLabels(options.values, options.labels);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool drawn = false;
    switch (format) {
    case ExportFormat::Png:
        drawn = pictureImage(options, layout).save(&buffer, "PNG");
        break;
    case ExportFormat::Svg:
        drawn = writeSvg(buffer, options, layout);
        break;
    case ExportFormat::Pdf:
        drawn = writePdf(buffer, options, layout);
        break;
    }
    return drawn && !bytes.isEmpty() && writeAll(device, bytes);
}

bool writeDrawing(QIODevice& device, ExportFormat format, const SetupValues& values,
                  bool withBackground) {
    return writePicture(device, format, PictureOptions{values, withBackground});
}

ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path) {
    return exportPicture(PictureOptions{values, withBackground}, path);
}

ExportResult exportPicture(const PictureOptions& options, const QString& path) {
    const auto format = exportFormatFor(path);
    if (!format) return ExportResult::UnknownFormat;
    const WriteOutcome outcome = writeFileSafely(
        path, [&](QIODevice& device) { return writePicture(device, *format, options); });
    return outcome == WriteOutcome::Written ? ExportResult::Written : ExportResult::WriteFailed;
}

} // namespace alambix
