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

void DrawingSurface::paintBackground() {
    m_background = QImage();
    clear();
    {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter, m_image.width(), m_image.height(), false);
        paintGradient(canvas);
    }
    m_background = m_image.copy();
    clear();
}

void DrawingSurface::removeBackground() {
    m_background = QImage();
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
}

void DrawingSurface::drawSetup(const SetupValues& values) {
    clear();
    QPainter painter(&m_image);
    PainterCanvas canvas(painter, m_image.width(), m_image.height(), false);
    alambix::drawSetup(canvas, values);
}

void DrawingSurface::drawWaterLine(double r1, double r2, double r3, double r4) {
    const int y1 = nearest(r1 * 110 + 381);
    const int y2 = nearest(r2 * 110 + 381);
    const int x = nearest(r3 * 10 + 261);
    const QColor colour = nearest(r4) != 0 ? QColor(0, 255, 255) : QColor(200, 210, 220);
    QPainter painter(&m_image);
    PainterCanvas canvas(painter, m_image.width(), m_image.height(), false);
    canvas.line(x, y1, x, y2, colour);
}

} // namespace alambix
