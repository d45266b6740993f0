#include "drawing/drawingsurface.h"

#include "drawing/paintercanvas.h"
#include "drawing/rounding.h"
#include "drawing/setupdrawing.h"

#include <QPainter>

#include <cstring>

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
    // screen's resolution, and a one-pixel line is one device pixel wide, as sharp as the screen.
    QPainter painter(&m_sharp);
    PainterCanvas canvas(painter, m_image.width(), m_image.height(), Strokes::Hairline);
    painting(canvas);
}

void DrawingSurface::setScreenRatio(qreal ratio) {
    if (qFuzzyCompare(ratio, m_ratio)) return;
    m_ratio = ratio;
    m_sharp = QImage();
    m_sharpBackground = QImage();
    if (ratio <= 1) return;
    m_sharp = QImage(static_cast<int>(std::ceil(m_image.width() * ratio)),
                     static_cast<int>(std::ceil(m_image.height() * ratio)), QImage::Format_RGB32);
    m_sharp.setDevicePixelRatio(ratio);
    m_sharp.fill(backColour());
    if (hasBackground()) {
        paintSharp(paintGradient);
        m_sharpBackground = m_sharp.copy();
    }
    if (m_drawn) {
        const SetupValues values = *m_drawn;
        paintSharp([&values](Canvas& canvas) { alambix::drawSetup(canvas, values); });
    }
}

void DrawingSurface::paintBackground() {
    m_background = QImage();
    m_sharpBackground = QImage();
    clear();
    paint(paintGradient);
    m_background = m_image.copy();
    if (!m_sharp.isNull()) m_sharpBackground = m_sharp.copy();
    clear();
}

void DrawingSurface::removeBackground() {
    m_background = QImage();
    m_sharpBackground = QImage();
}

void DrawingSurface::clear() {
    if (m_background.isNull()) {
        m_image.fill(backColour());
    } else if (m_image.size() == m_background.size() && m_image.format() == m_background.format()) {
        // Into the pixels already there: no second image alive while the copy is made.
        std::memcpy(m_image.bits(), m_background.constBits(), std::size_t(m_image.sizeInBytes()));
    } else {
        m_image = m_background.copy();
    }
    if (m_sharp.isNull()) return;
    if (m_sharpBackground.isNull())
        m_sharp.fill(backColour());
    else
        m_sharp = m_sharpBackground.copy();
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
