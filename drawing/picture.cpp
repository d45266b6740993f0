#include "drawing/picture.h"

#include "core/recognition.h"
#include "drawing/drawingsurface.h"
#include "drawing/monochrome.h"
#include "drawing/setupdrawing.h"

#include <QLinearGradient>
#include <QPainter>
#include <QStringList>

namespace alambix {

namespace {
const QRect drawingFrame(0, 0, DrawingWidth, DrawingHeight);

// `fondessin`'s gradient as one vector fill: row i of the pixels has the colour the gradient
// takes at its middle, y = i + 0.5, from row 0 to row H.
void fillGradient(QPainter& painter) {
    QLinearGradient gradient(QPointF(0, 0.5), QPointF(0, DrawingHeight + 0.5));
    gradient.setColorAt(0, QColor(255, 200, 155));
    gradient.setColorAt(1, QColor(255, 255, 255));
    painter.fillRect(drawingFrame, gradient);
}

void paintLabels(QPainter& painter, const LabelLayout& layout, LabelMode mode) {
    if (layout.labels.empty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QColor ink(0, 0, 0);
    painter.setPen(QPen(ink, 0.8, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    for (const PlacedLabel& label : layout.labels)
        painter.drawLine(label.anchor, label.end);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const PlacedLabel& label : layout.labels)
        painter.drawEllipse(label.anchor, 1.6, 1.6);
    painter.setFont(labelFont(mode));
    painter.setPen(ink);
    for (const PlacedLabel& label : layout.labels)
        painter.drawText(label.box,
                         (label.right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                         label.text);
    painter.restore();
}
} // namespace

void paintDrawing(QPainter& painter, const PictureOptions& options, Strokes strokes) {
    painter.save();
    painter.setClipRect(drawingFrame, Qt::IntersectClip);
    painter.fillRect(drawingFrame, DrawingSurface::backColour());
    PainterCanvas canvas(painter, DrawingWidth, DrawingHeight, strokes);
    if (options.blackWhite) {
        MonochromeCanvas monochrome(painter, canvas, strokes != Strokes::Pixels);
        drawSetup(monochrome, options.values);
    } else {
        if (options.withBackground) {
            if (strokes == Strokes::Pixels)
                paintGradient(canvas);
            else
                fillGradient(painter);
        }
        drawSetup(canvas, options.values);
    }
    painter.restore();
}

void paintPicture(QPainter& painter, const PictureOptions& options, const LabelLayout& layout,
                  Strokes strokes) {
    painter.save();
    const QRect whole(QPoint(0, 0), layout.size);
    painter.fillRect(whole, Qt::white);
    painter.translate(layout.drawingAt);
    paintDrawing(painter, options, strokes);
    painter.translate(-layout.drawingAt);
    // Hoses run past the drawing's edge: a device that cannot clip (an SVG) would show them in the
    // margins, which are painted white again.
    const QRect drawing = drawingFrame.translated(layout.drawingAt);
    if (drawing != whole) {
        painter.fillRect(QRect(0, 0, drawing.left(), whole.height()), Qt::white);
        painter.fillRect(
            QRect(drawing.right() + 1, 0, whole.width() - drawing.right() - 1, whole.height()),
            Qt::white);
        painter.fillRect(QRect(drawing.left(), 0, drawing.width(), drawing.top()), Qt::white);
        painter.fillRect(QRect(drawing.left(), drawing.bottom() + 1, drawing.width(),
                               whole.height() - drawing.bottom() - 1),
                         Qt::white);
    }
    paintLabels(painter, layout, options.labels);
    painter.restore();
}

QImage pictureImage(const PictureOptions& options, const LabelLayout& layout, int scale) {
    QImage image(layout.size * scale, QImage::Format_RGB32);
    // 96 dots per inch at scale 1: a larger picture keeps the same size on paper.
    image.setDotsPerMeterX(3780 * scale);
    image.setDotsPerMeterY(3780 * scale);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paintPicture(painter, options, layout, scale == 1 ? Strokes::Pixels : Strokes::Vector);
    return image;
}

QString pictureTitle(const SetupValues& values) {
    const QString name = recogniseSetup(values);
    return name.isEmpty() ? QStringLiteral("Schéma du montage") : name;
}

QString pictureDescription(const SetupValues& values) {
    QStringList pieces;
    for (int k = 0; k < ElementCount; ++k)
        if (values[static_cast<std::size_t>(k)]) pieces << elementCaption(k);
    if (pieces.isEmpty()) return QStringLiteral("Schéma vide, dessiné avec Alambix.");
    const QString name = recogniseSetup(values);
    QString text = (name.isEmpty() ? QStringLiteral("Montage") : name) + QStringLiteral(" : ") +
                   pieces.join(QStringLiteral(", "));
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text + QStringLiteral(" Schéma dessiné avec Alambix.");
}

} // namespace alambix
