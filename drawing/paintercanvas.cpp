#include "drawing/paintercanvas.h"
#include "drawing/fonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <array>
#include <numbers>

namespace alambix {

QColor paletteColour(int index) {
    static constexpr std::array<QRgb, 16> palette{
        qRgb(0, 0, 0),       qRgb(0, 0, 128),   qRgb(0, 128, 0),   qRgb(0, 128, 128),
        qRgb(128, 0, 0),     qRgb(128, 0, 128), qRgb(128, 128, 0), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(0, 0, 255),   qRgb(0, 255, 0),   qRgb(0, 255, 255),
        qRgb(255, 0, 0),     qRgb(255, 0, 255), qRgb(255, 255, 0), qRgb(255, 255, 255),
    };
    return QColor(palette.at(static_cast<std::size_t>(index & 15)));
}

QFont drawingFont(double pointSize) {
    QFont font(windowFontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pointSize * 96.0 / 72.0));
    return font;
}

PainterCanvas::PainterCanvas(QPainter& painter, int width, int height, Strokes strokes)
    : m_painter(painter), m_width(width), m_height(height), m_strokes(strokes) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterCanvas::usePen(const QColor& colour) {
    QPen pen(colour);
    pen.setWidth(1);
    pen.setCosmetic(m_strokes == Strokes::Hairline);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
}

QPointF PainterCanvas::strokeOffset() const {
    // On pixels a one-pixel pen fills the pixel right of and below each point. A vector pen is
    // centred on its path, so it is moved by half a pixel to cover the same pixel squares (and
    // meet the filled boxes exactly) at any zoom. A hairline is moved to the middle of the first
    // device pixel of the square.
    switch (m_strokes) {
    case Strokes::Pixels:
        return {0, 0};
    case Strokes::Vector:
        return {0.5, 0.5};
    case Strokes::Hairline:
        break;
    }
    const qreal half = 0.5 / m_painter.device()->devicePixelRatioF();
    return {half, half};
}

void PainterCanvas::line(QPointF from, QPointF to, const QColor& colour) {
    usePen(colour);
    const QPointF offset = strokeOffset();
    if (from == to)
        m_painter.drawPoint(from + offset);
    else
        m_painter.drawLine(from + offset, to + offset);
}

void PainterCanvas::box(int x1, int y1, int x2, int y2, const QColor& colour) {
    usePen(colour);
    const QRectF rect(QPointF(std::min(x1, x2), std::min(y1, y2)),
                      QSizeF(std::abs(x2 - x1), std::abs(y2 - y1)));
    if (rect.width() == 0 || rect.height() == 0)
        line(QPointF(x1, y1), QPointF(x2, y2), colour);
    else
        m_painter.drawRect(rect.translated(strokeOffset()));
}

void PainterCanvas::filledBox(int x1, int y1, int x2, int y2, const QColor& colour) {
    const QRect rect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                     QPoint(std::max(x1, x2), std::max(y1, y2)));
    m_painter.fillRect(rect, colour);
}

QPointF PainterCanvas::curveOffset() {
    // A smooth curve is drawn antialiased; like a vector pen, it is moved by half a pixel to
    // run through the middle of the pixels the plain curve covers.
    m_painter.setRenderHint(QPainter::Antialiasing, m_smooth);
    return m_smooth ? QPointF(0.5, 0.5) : strokeOffset();
}

void PainterCanvas::arc(double cx, double cy, double r, const QColor& colour, double start,
                        double end, double aspect) {
    usePen(colour);
    double span = end - start;
    if (span < 0) span += 2 * std::numbers::pi;
    const QRectF rect =
        QRectF(cx - r, cy - r * aspect, 2 * r, 2 * r * aspect).translated(curveOffset());
    const double toSixteenths = 180.0 / std::numbers::pi * 16.0;
    m_painter.drawArc(rect, qRound(start * toSixteenths), qRound(span * toSixteenths));
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::ellipse(double cx, double cy, double r, const QColor& colour, double aspect) {
    usePen(colour);
    m_painter.drawEllipse(
        QRectF(cx - r, cy - r * aspect, 2 * r, 2 * r * aspect).translated(curveOffset()));
    m_painter.setRenderHint(QPainter::Antialiasing, false);
}

void PainterCanvas::bitmap(ArtworkId id, int x, int y) {
    drawArtwork(m_painter, id, QPointF(x, y), m_strokes != Strokes::Pixels);
}

void PainterCanvas::text(int x, int y, const QString& text, double pointSize,
                         const QColor& colour) {
    m_painter.setFont(drawingFont(pointSize));
    m_painter.setPen(colour);
    m_painter.drawText(QRectF(x, y, m_width * 2, m_height), Qt::AlignLeft | Qt::AlignTop, text);
}

double PainterCanvas::textWidth(const QString& text, double pointSize) const {
    return QFontMetricsF(drawingFont(pointSize)).horizontalAdvance(text);
}

} // namespace alambix
