#include "drawing/worksheetpage.h"

#include "drawing/fonts.h"
#include "drawing/picture.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace alambix {

namespace {
constexpr double Margin = 24; // inside the printable area
constexpr double MaximumScale = 1.6;
constexpr double LegendRow = 34; // room to write a name by hand
constexpr double LegendGap = 24; // between the two columns

QFont pageFont(double pixels, bool bold) {
    QFont font(windowFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(static_cast<int>(std::lround(pixels)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

// One line of text centred across the page at `y`; returns the y below it.
double centredLine(QPainter& painter, double width, double y, const QString& text,
                   const QFont& font) {
    painter.setFont(font);
    const double height = QFontMetricsF(font).height();
    painter.drawText(QRectF(0, y, width, height), Qt::AlignHCenter | Qt::AlignTop, text);
    return y + height;
}

// The legend: "1. ______" lines in two columns, numbers running down the first column then down
// the second; with the names written on the lines for the answer key.
void paintLegend(QPainter& painter, const LabelLayout& layout, QRectF area, bool answers) {
    const int count = static_cast<int>(layout.labels.size());
    const int rows = (count + 1) / 2;
    const double columnWidth = (area.width() - LegendGap) / 2;
    const QFont font = pageFont(16, false);
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    for (int i = 0; i < count; ++i) {
        const PlacedLabel& label = layout.labels[static_cast<std::size_t>(i)];
        const double x = area.left() + (i / rows) * (columnWidth + LegendGap);
        const double baseline = area.top() + (i % rows + 1) * LegendRow - 8;
        const QString number = QString::number(label.number) + QLatin1Char('.');
        const double numberWidth = metrics.horizontalAdvance(QStringLiteral("00."));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(x + numberWidth - metrics.horizontalAdvance(number), baseline),
                         number);
        const double lineStart = x + numberWidth + 8;
        if (answers) painter.drawText(QPointF(lineStart + 4, baseline - 2), label.name);
        painter.setPen(QPen(QColor(0, 0, 0), 0.7));
        painter.drawLine(QPointF(lineStart, baseline + 4), QPointF(x + columnWidth, baseline + 4));
    }
}
} // namespace

int worksheetPageCount(const WorksheetOptions& options) {
    return options.labels == LabelMode::Numbers && options.answerKey ? 2 : 1;
}

void paintWorksheetPage(QPainter& painter, QSizeF area, const SetupValues& values,
                        const WorksheetOptions& options, int page) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    const double width = area.width();
    double y = Margin;
    if (!options.title.isEmpty())
        y = centredLine(painter, width, y, options.title, pageFont(26, true)) + 10;
    const bool numbers = options.labels == LabelMode::Numbers;
    if (numbers) {
        const QString heading =
            page == 0 ? QStringLiteral("Légender le schéma.") : QStringLiteral("Corrigé");
        y = centredLine(painter, width, y, heading, pageFont(17, page != 0)) + 14;
    }

    const PictureOptions drawn{values, false, options.blackWhite, options.labels};
    const LabelLayout layout = layoutLabels(values, options.labels);
    const int rows = numbers ? static_cast<int>((layout.labels.size() + 1) / 2) : 0;
    const double legendHeight = rows > 0 ? rows * LegendRow + 16 : 0;
    const QSizeF picture(layout.size);
    const double room = std::max(1.0, area.height() - Margin - y - legendHeight);
    const double scale =
        std::min({(width - 2 * Margin) / picture.width(), room / picture.height(), MaximumScale});
    painter.save();
    painter.translate((width - picture.width() * scale) / 2, y);
    painter.scale(scale, scale);
    paintPicture(painter, drawn, layout, Strokes::Vector);
    painter.restore();
    y += picture.height() * scale + 16;

    if (rows > 0)
        paintLegend(painter, layout, QRectF(Margin, y, width - 2 * Margin, legendHeight),
                    page == 1);
    painter.restore();
}

PrintResult printWorksheet(QPagedPaintDevice& device, const SetupValues& values,
                           const WorksheetOptions& options) {
    QPainter painter;
    if (!painter.begin(&device)) return PrintResult::NotStarted;
    // Units of a drawing pixel, 1/96 inch, whatever the printer's resolution.
    const double sx = device.logicalDpiX() / DrawingDotsPerInch;
    const double sy = device.logicalDpiY() / DrawingDotsPerInch;
    const QSizeF area(device.width() / sx, device.height() / sy);
    const int pages = worksheetPageCount(options);
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return PrintResult::Interrupted;
        }
        painter.save();
        painter.scale(sx, sy);
        paintWorksheetPage(painter, area, values, options, page);
        painter.restore();
    }
    return painter.end() ? PrintResult::Printed : PrintResult::Interrupted;
}

PrintResult printWorksheetToFile(const QString& path, const QPageLayout& layout, int resolution,
                                 const QString& documentTitle, const SetupValues& values,
                                 const WorksheetOptions& options) {
    return printToPdfFile(path, layout, resolution, documentTitle, [&](QPagedPaintDevice& device) {
        return printWorksheet(device, values, options);
    });
}

} // namespace alambix
