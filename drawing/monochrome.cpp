#include "drawing/monochrome.h"

#include "drawing/paintercanvas.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <climits>
#include <cmath>
#include <optional>
#include <vector>

namespace alambix {

namespace {
const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
const QColor grey(140, 140, 140);
// Hatching: thin black stripes 3 pixels apart.
constexpr double HatchStep = 3;
constexpr double HatchHalfWidth = 0.4;

int luma(const QColor& c) {
    return (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
}

bool isRed(const QColor& c) {
    const int hue = c.hsvHue();
    return c.hsvSaturationF() > 0.5 && (hue < 20 || hue > 340);
}

// A liquid is a bright, coloured fill; red is kept for stopcocks, handles and the thermometer.
bool isLiquid(const QColor& c) {
    return !isRed(c) && c.hsvSaturationF() >= 0.2 && c.valueF() >= 0.5;
}

// Warm liquids (yellow, orange) are hatched the other way from cool ones.
bool isWarm(const QColor& c) {
    const int hue = c.hsvHue();
    return hue >= 20 && hue <= 90;
}

QColor withAlpha(QColor c, double alpha) {
    c.setAlphaF(static_cast<float>(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

// Stripes across `area`: "/" or, for warm liquids, "\".
QPainterPath stripes(const QRectF& area, bool warm) {
    QPainterPath path;
    const double reach = area.width() + area.height() + 2;
    const double sign = warm ? -1 : 1; // "/" runs along x + y = c, "\" along x - y = c
    const QPointF along = QPointF(1, -sign) / std::sqrt(2.0);
    const QPointF across = QPointF(1, sign) / std::sqrt(2.0) * HatchHalfWidth;
    const double first = area.left() + sign * (sign > 0 ? area.top() : area.bottom());
    const double last = area.right() + sign * (sign > 0 ? area.bottom() : area.top());
    for (double c = std::floor(first / HatchStep) * HatchStep; c <= last; c += HatchStep) {
        // A point of the line x + sign * y = c, then the line long enough to cross the area.
        const QPointF on(c - sign * area.top(), area.top());
        const QPointF a = on - along * reach;
        const QPointF b = on + along * reach;
        path.addPolygon(QPolygonF({a + across, b + across, b - across, a - across, a + across}));
        path.closeSubpath();
    }
    return path;
}

// What the artwork paints, kept as shapes: the SVG renderer paints on a device whose engine
// records each shape with its pen, brush and transform.
struct Shape {
    QPainterPath path;
    QTransform transform;
    QPen pen;
    QBrush brush;
    double opacity;
};

class CaptureEngine final : public QPaintEngine {
public:
    CaptureEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    std::vector<Shape> shapes;

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState& changed) override {
        const DirtyFlags flags = changed.state();
        if (flags & DirtyPen) m_pen = changed.pen();
        if (flags & DirtyBrush) m_brush = changed.brush();
        if (flags & DirtyTransform) m_transform = changed.transform();
        if (flags & DirtyOpacity) m_opacity = changed.opacity();
    }
    void drawPath(const QPainterPath& path) override {
        shapes.push_back({path, m_transform, m_pen, m_brush, m_opacity});
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count < 2) return;
        QPainterPath path(points[0]);
        for (int i = 1; i < count; ++i)
            path.lineTo(points[i]);
        if (mode == PolylineMode) {
            shapes.push_back({path, m_transform, m_pen, QBrush(), m_opacity});
            return;
        }
        path.closeSubpath();
        path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
        shapes.push_back({path, m_transform, m_pen, m_brush, m_opacity});
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}

private:
    QPen m_pen;
    QBrush m_brush;
    QTransform m_transform;
    double m_opacity = 1;
};

class CaptureDevice final : public QPaintDevice {
public:
    explicit CaptureDevice(QSize size) : m_size(size) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }
    std::vector<Shape>& shapes() { return m_engine.shapes; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / 960;
        case PdmHeightMM:
            return m_size.height() * 254 / 960;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        }
        return 0;
    }

private:
    QSize m_size;
    mutable CaptureEngine m_engine;
};

// A shape of the artwork as it is drawn in black and white, in the artwork's pixels.
struct MonochromeShape {
    QPainterPath path;
    QBrush fill;
    QPainterPath hatching;
    QPen pen;
};

MonochromeShape monochrome(const Shape& shape) {
    MonochromeShape result;
    result.path = shape.transform.map(shape.path);
    const double scale = std::sqrt(std::abs(shape.transform.determinant()));
    if (shape.brush.style() == Qt::SolidPattern) {
        const QColor colour = shape.brush.color();
        const double alpha = colour.alphaF() * shape.opacity;
        const QRectF bounds = result.path.boundingRect();
        if (isRed(colour) || (isLiquid(colour) && std::min(bounds.width(), bounds.height()) < 3))
            result.fill = black; // small coloured parts: a stopcock, the thermometer's column
        else if (isLiquid(colour) && alpha >= 0.3)
            result.hatching = stripes(bounds, isWarm(colour)).intersected(result.path);
        else if (luma(colour) < 100)
            result.fill = withAlpha(black, alpha);
        else if (alpha > 0.95)
            result.fill = white; // paper, the mantle, a stopper: opaque
        // Glass (a light, translucent tint or a gradient) keeps only its outline.
    }
    if (shape.pen.style() != Qt::NoPen && shape.pen.brush().style() == Qt::SolidPattern) {
        const QColor colour = shape.pen.color();
        result.pen = shape.pen;
        result.pen.setColor(
            withAlpha(luma(colour) >= 200 ? white : black, colour.alphaF() * shape.opacity));
        result.pen.setWidthF(std::max(shape.pen.widthF(), 0.5) * scale);
    } else {
        result.pen = QPen(Qt::NoPen);
    }
    return result;
}

const std::vector<MonochromeShape>& monochromeArtwork(ArtworkId id) {
    static std::array<std::optional<std::vector<MonochromeShape>>, ArtworkCount> cache;
    auto& slot = cache.at(static_cast<std::size_t>(id));
    if (!slot) {
        CaptureDevice device(artworkSize(id));
        {
            QPainter painter(&device);
            drawArtwork(painter, id, QPointF(0, 0), true);
        }
        slot.emplace();
        for (const Shape& shape : device.shapes())
            slot->push_back(monochrome(shape));
    }
    return *slot;
}

// The canvas' own liquids: the pump's water and the plate's eluent.
bool isCanvasLiquid(const QColor& colour) {
    return colour == paletteColour(11) || colour == QColor(210, 210, 210);
}
} // namespace

QColor monochromeLine(const QColor& colour) {
    const int y = luma(colour);
    if (y < 140) return withAlpha(black, colour.alphaF());
    // Light tints (the hoses' rubber and highlight, water) are white, light greys grey.
    if (y >= 230 || colour.hsvSaturationF() > 0.3) return withAlpha(white, colour.alphaF());
    return withAlpha(grey, colour.alphaF());
}

void MonochromeCanvas::line(QPointF from, QPointF to, const QColor& colour) {
    m_inner.line(from, to, monochromeLine(colour));
}

void MonochromeCanvas::box(int x1, int y1, int x2, int y2, const QColor& colour) {
    m_inner.box(x1, y1, x2, y2, monochromeLine(colour));
}

void MonochromeCanvas::filledBox(int x1, int y1, int x2, int y2, const QColor& colour) {
    if (!isCanvasLiquid(colour)) {
        // Metal, rubber and plastic are white inside their black outlines; dark parts stay black.
        m_inner.filledBox(x1, y1, x2, y2,
                          withAlpha(luma(colour) < 100 ? black : white, colour.alphaF()));
        return;
    }
    // Hatched with "/" lines on whole pixels, in step with every other hatching.
    const int left = std::min(x1, x2), right = std::max(x1, x2);
    const int top = std::min(y1, y2), bottom = std::max(y1, y2);
    m_inner.filledBox(left, top, right, bottom, white);
    const int step = static_cast<int>(HatchStep);
    for (int c = (left + top + step - 1) / step * step; c <= right + bottom; c += step) {
        const int from = std::max(left, c - bottom);
        const int to = std::min(right, c - top);
        if (from <= to) m_inner.line(from, c - from, to, c - to, black);
    }
}

void MonochromeCanvas::arc(double cx, double cy, double r, const QColor& colour, double start,
                           double end, double aspect) {
    m_inner.arc(cx, cy, r, monochromeLine(colour), start, end, aspect);
}

void MonochromeCanvas::ellipse(double cx, double cy, double r, const QColor& colour,
                               double aspect) {
    m_inner.ellipse(cx, cy, r, monochromeLine(colour), aspect);
}

void MonochromeCanvas::bitmap(ArtworkId id, int x, int y) {
    drawMonochromeArtwork(m_painter, id, QPointF(x, y), m_asVector);
}

void MonochromeCanvas::text(int x, int y, const QString& text, double pointSize,
                            const QColor& colour) {
    QFont font = drawingFont(pointSize);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    m_painter.setFont(font);
    m_painter.setPen(monochromeLine(colour));
    m_painter.drawText(QRectF(x, y, width() * 2, height()), Qt::AlignLeft | Qt::AlignTop, text);
}

namespace {
void paintMonochromeArtwork(QPainter& painter, ArtworkId id, QPointF topLeft) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(topLeft);
    for (const MonochromeShape& shape : monochromeArtwork(id)) {
        if (shape.fill.style() != Qt::NoBrush) painter.fillPath(shape.path, shape.fill);
        if (!shape.hatching.isEmpty()) painter.fillPath(shape.hatching, black);
        if (shape.pen.style() != Qt::NoPen) painter.strokePath(shape.path, shape.pen);
    }
    painter.restore();
}

// Greys with their coverage as alpha, transparent around: drawn over white they give greys.
const QImage& monochromeImage(ArtworkId id) {
    static std::array<QImage, ArtworkCount> cache;
    QImage& image = cache.at(static_cast<std::size_t>(id));
    if (image.isNull()) {
        image = QImage(artworkSize(id), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paintMonochromeArtwork(painter, id, QPointF(0, 0));
    }
    return image;
}
} // namespace

void drawMonochromeArtwork(QPainter& painter, ArtworkId id, QPointF topLeft, bool asVector) {
    if (asVector)
        paintMonochromeArtwork(painter, id, topLeft);
    else
        painter.drawImage(topLeft, monochromeImage(id));
}

} // namespace alambix
