#include "drawing/drawingsurface.h"

#include "drawing/paintercanvas.h"
#include "drawing/rounding.h"
#include "drawing/setupdrawing.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace alambix {

namespace {
QImage newImage() {
    QImage image(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
    // 96 dots per inch, so that point sizes mean the same on screen, in export and in print.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

} // namespace

DrawingSurface::DrawingSurface() : m_image(newImage()) {
    clear();
}

void DrawingSurface::paint(const Painting& painting) {
    {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter, m_image.width(), m_image.height(), Strokes::Pixels);
        painting(canvas);
    }
    paintSharp(painting);
}

void DrawingSurface::paintSharp(const Painting& painting) {
    if (m_sharp.isNull()) return;
    // The painter scales by the image's ratio: shapes, text and artwork are drawn at the
    // screen's resolution. A one-pixel line is one device pixel wide, as sharp as the screen,
    // or, on a drawing shown larger, as wide as the drawing's pixel.
    QPainter painter(&m_sharp);
    PainterCanvas canvas(painter, m_image.width(), m_image.height(),
                         m_zoom > 1 ? Strokes::Vector : Strokes::Hairline);
    painting(canvas);
}

void DrawingSurface::setScreenRatio(qreal ratio, qreal zoom) {
    if (qFuzzyCompare(ratio, m_ratio) && qFuzzyCompare(zoom, m_zoom)) return;
    m_ratio = ratio;
    m_zoom = zoom;
    m_sharp = QImage();
    m_sharpBackground.clear();
    const qreal scale = ratio * zoom;
    if (scale <= 1) return;
    m_sharp = QImage(static_cast<int>(std::ceil(m_image.width() * scale)),
                     static_cast<int>(std::ceil(m_image.height() * scale)), QImage::Format_RGB32);
    m_sharp.setDevicePixelRatio(scale);
    m_sharp.fill(backColour());
    if (hasBackground()) {
        paintSharp(paintGradient);
        m_sharpBackground = rowsOf(m_sharp);
    }
    if (m_drawn) {
        const SetupValues values = *m_drawn;
        paintSharp([&values](Canvas& canvas) { alambix::drawSetup(canvas, values); });
    }
}

void DrawingSurface::paintBackground() {
    removeBackground();
    clear();
    paint(paintGradient);
    m_background = rowsOf(m_image);
    if (!m_sharp.isNull()) m_sharpBackground = rowsOf(m_sharp);
    clear();
}

void DrawingSurface::removeBackground() {
    m_background.clear();
    m_sharpBackground.clear();
}

DrawingSurface::Rows DrawingSurface::rowsOf(const QImage& image) {
    Rows rows(static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        rows[static_cast<std::size_t>(y)] = line[0];
        Q_ASSERT(std::all_of(line, line + image.width(), [&](QRgb p) { return p == line[0]; }));
    }
    return rows;
}

void DrawingSurface::fillRows(QImage& image, const Rows& rows) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line, line + image.width(), rows[static_cast<std::size_t>(y)]);
    }
}

void DrawingSurface::clear() {
    if (m_background.empty())
        m_image.fill(backColour());
    else
        fillRows(m_image, m_background);
    if (m_sharp.isNull()) return;
    if (m_sharpBackground.empty())
        m_sharp.fill(backColour());
    else
        fillRows(m_sharp, m_sharpBackground);
}

void DrawingSurface::drawSetup(const SetupValues& values) {
    clear();
    m_drawn = values;
    paint([&values](Canvas& canvas) { alambix::drawSetup(canvas, values); });
}

void DrawingSurface::drawWaterLine(double r1, double r2, double r3, double r4) {
    const int y1 = nearest(r1 * 110 + 381);
    const int y2 = nearest(r2 * 110 + 381);
    const int x = nearest(r3 * 10 + 261);
    const QColor colour = nearest(r4) != 0 ? QColor(0, 255, 255) : QColor(200, 210, 220);
    paint([&](Canvas& canvas) { canvas.line(x, y1, x, y2, colour); });
}

} // namespace alambix
