#include "drawing/labellayout.h"

#include "drawing/paintercanvas.h"
#include "drawing/setupdrawing.h"

#include <QFontMetricsF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace alambix {

namespace {
constexpr double LabelPointSize = 9;
constexpr int Pad = 6;           // around the picture
constexpr int Gap = 10;          // between the drawing and a column of labels
constexpr double BoxPadding = 2; // left and right of a label's text
constexpr double Spacing = 3;    // between two labels of a column
constexpr double MiddleX = DrawingWidth / 2.0;

double cross(QPointF o, QPointF a, QPointF b) {
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

bool within(QPointF a, QPointF b, QPointF p) {
    return std::min(a.x(), b.x()) <= p.x() && p.x() <= std::max(a.x(), b.x()) &&
           std::min(a.y(), b.y()) <= p.y() && p.y() <= std::max(a.y(), b.y());
}

// Centres for `count` labels of `pitch` wanted at `wanted` (ascending), none closer than `pitch`,
// all within [low, high]: labels that would overlap are gathered into a block centred on the
// mean of what they want, so that each stays as near its part as the others let it.
std::vector<double> slotCentres(const std::vector<double>& wanted, double pitch, double low,
                                double high) {
    struct Block {
        double sum;
        int count;
    };
    auto top = [&](const Block& b) {
        const double span = (b.count - 1) * pitch;
        return std::clamp(b.sum / b.count - span / 2, low, std::max(low, high - span));
    };
    std::vector<Block> blocks;
    for (double y : wanted) {
        blocks.push_back({y, 1});
        while (blocks.size() > 1) {
            const Block& last = blocks.back();
            Block& before = blocks[blocks.size() - 2];
            if (top(before) + before.count * pitch <= top(last) + 1e-9) break;
            before.sum += last.sum;
            before.count += last.count;
            blocks.pop_back();
        }
    }
    std::vector<double> centres;
    for (const Block& b : blocks)
        for (int k = 0; k < b.count; ++k)
            centres.push_back(top(b) + k * pitch);
    return centres;
}

// Gives the labels of one column their slots, top to bottom, so that no two leader lines cross:
// the labels start in the order of their anchors; a crossing pair swaps slots, which shortens the
// two lines together, so the swaps come to an end.
void placeColumn(std::vector<PlacedLabel>& column, double edgeX, double pitch, double low,
                 double high) {
    std::sort(column.begin(), column.end(), [](const PlacedLabel& a, const PlacedLabel& b) {
        return a.anchor.y() < b.anchor.y() ||
               (a.anchor.y() == b.anchor.y() && a.anchor.x() < b.anchor.x());
    });
    std::vector<double> wanted;
    for (const PlacedLabel& label : column)
        wanted.push_back(label.anchor.y());
    const std::vector<double> centres = slotCentres(wanted, pitch, low, high);
    for (std::size_t i = 0; i < column.size(); ++i)
        column[i].end = QPointF(edgeX, std::round(centres[i]));
    const std::size_t n = column.size();
    for (std::size_t round = 0; round < n * n * n + 1; ++round) {
        bool swapped = false;
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i + 1; j < n; ++j)
                if (segmentsMeet(column[i].anchor, column[i].end, column[j].anchor,
                                 column[j].end)) {
                    std::swap(column[i].end, column[j].end);
                    swapped = true;
                }
        if (!swapped) break;
    }
    std::sort(column.begin(), column.end(),
              [](const PlacedLabel& a, const PlacedLabel& b) { return a.end.y() < b.end.y(); });
}
} // namespace

bool segmentsMeet(QPointF a, QPointF b, QPointF c, QPointF d) {
    const double d1 = cross(c, d, a);
    const double d2 = cross(c, d, b);
    const double d3 = cross(a, b, c);
    const double d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0)))
        return true;
    return (d1 == 0 && within(c, d, a)) || (d2 == 0 && within(c, d, b)) ||
           (d3 == 0 && within(a, b, c)) || (d4 == 0 && within(a, b, d));
}

QFont labelFont(LabelMode mode) {
    QFont font = drawingFont(LabelPointSize);
    font.setBold(mode == LabelMode::Numbers);
    // Grey edges only: a photocopy, and a black-and-white picture, have no colour fringes.
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

LabelLayout layoutLabels(const SetupValues& values, LabelMode mode) {
    LabelLayout layout{QSize(DrawingWidth, DrawingHeight), QPoint(0, 0), {}};
    if (mode == LabelMode::None) return layout;
    std::array<std::vector<PlacedLabel>, 2> columns;
    for (const LabelPart& part : labelParts(values)) {
        PlacedLabel label;
        label.part = part;
        label.name = partName(part);
        label.right = part.anchor.x() >= MiddleX;
        label.anchor = part.anchor;
        columns[label.right ? 1 : 0].push_back(label);
    }
    if (columns[0].empty() && columns[1].empty()) return layout;

    // Geometry in the drawing's frame first; the margins are known once the texts are.
    const QFont font = labelFont(mode);
    const QFontMetricsF metrics(font);
    // An even height, so that a box centred on a whole pixel row starts on one.
    const double boxHeight = 2 * std::ceil(metrics.height() / 2) + 2;
    const double pitch = boxHeight + Spacing;
    const std::size_t most = std::max(columns[0].size(), columns[1].size());
    const int height =
        std::max(DrawingHeight, static_cast<int>(std::ceil(most * pitch - Spacing)) + 2 * Pad);
    const int top = (height - DrawingHeight) / 2;
    const double low = Pad - top + boxHeight / 2;
    const double high = height - top - Pad - boxHeight / 2;
    placeColumn(columns[0], -Gap, pitch, low, high);
    placeColumn(columns[1], DrawingWidth + Gap, pitch, low, high);

    int number = 0;
    std::array<double, 2> widest{0, 0};
    for (int side = 0; side < 2; ++side)
        for (PlacedLabel& label : columns[side]) {
            label.number = ++number;
            label.text = mode == LabelMode::Numbers ? QString::number(number) : label.name;
            widest[side] = std::max(
                widest[side], std::ceil(metrics.horizontalAdvance(label.text) + 2 * BoxPadding));
        }
    const int left = columns[0].empty() ? 0 : Pad + static_cast<int>(widest[0]) + Gap;
    const int right = columns[1].empty() ? 0 : Gap + static_cast<int>(widest[1]) + Pad;
    layout.size = QSize(left + DrawingWidth + right, height);
    layout.drawingAt = QPoint(left, top);
    for (int side = 0; side < 2; ++side)
        for (PlacedLabel& label : columns[side]) {
            label.anchor += layout.drawingAt;
            label.end += layout.drawingAt;
            const double width = std::ceil(metrics.horizontalAdvance(label.text) + 2 * BoxPadding);
            const double x = label.right ? label.end.x() : label.end.x() - width;
            label.box = QRectF(x, label.end.y() - boxHeight / 2, width, boxHeight);
            layout.labels.push_back(label);
        }
    return layout;
}

} // namespace alambix
