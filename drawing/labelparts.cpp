#include "drawing/labelparts.h"

#include "drawing/canvas.h"
#include "drawing/setupdrawing.h"

#include <QRect>

#include <algorithm>
#include <array>
#include <optional>

namespace alambix {

namespace {

// Runs the element blocks without painting and keeps where the artwork and the hardware went, so
// that the labels follow the drawing whatever moves a piece.
class PartFinder final : public Canvas {
public:
    struct Drawn {
        ArtworkId id;
        QPoint at;
    };
    std::vector<Drawn> artwork;
    std::vector<QRect> boxes; // filled boxes, corners included

    int width() const override { return DrawingWidth; }
    int height() const override { return DrawingHeight; }
    void line(QPointF, QPointF, const QColor&) override {}
    void box(int, int, int, int, const QColor&) override {}
    void filledBox(int x1, int y1, int x2, int y2, const QColor&) override {
        boxes.push_back(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                              QPoint(std::max(x1, x2), std::max(y1, y2))));
    }
    void arc(double, double, double, const QColor&, double, double, double) override {}
    void ellipse(double, double, double, const QColor&, double) override {}
    void bitmap(ArtworkId id, int x, int y) override { artwork.push_back({id, QPoint(x, y)}); }
    void text(int, int, const QString&, double, const QColor&) override {}
    double textWidth(const QString&, double) const override { return 0; }

    bool drewBox(const QRect& rect) const {
        return std::find(boxes.begin(), boxes.end(), rect) != boxes.end();
    }
};

// A piece whose middle is left of this stands in the left margin's half.
constexpr double MiddleX = DrawingWidth / 2.0;

// For each piece of artwork: a point of its outline facing the left margin and one facing the
// right margin, in the artwork's own pixels.
struct Anchors {
    QPointF left;
    QPointF right;
};

struct ArtworkPart {
    ArtworkId id;
    int element; // -1: hardware
    Anchors piece;
};

// The outlines are the strokes of assets/artwork/*.svg.
constexpr double Wall = 0.5; // a one-pixel stroke is centred half a pixel inside
const ArtworkPart artworkParts[] = {
    {ArtworkId::StemmedGlass, VerreAPied, {{35.8, 40}, {64.2, 40}}},
    {ArtworkId::Beaker, Becher, {{16 + Wall, 55}, {80 + Wall, 55}}},
    {ArtworkId::Erlenmeyer, Erlenmeyer, {{29.8, 70}, {70.2, 70}}},
    {ArtworkId::FlaskWithMantle, Ballon, {{30.7, 46.5}, {84.3, 46.5}}},
    {ArtworkId::VacuumFlask, FioleAVide, {{15.3, 90}, {59.7, 90}}},
    {ArtworkId::FilterFunnel, Entonnoir, {{30.8, 50}, {65.2, 50}}},
    {ArtworkId::Buchner, Buchner, {{9 + Wall, 12}, {65 + Wall, 12}}},
    {ArtworkId::SeparatingFunnel, AmpouleADecanter, {{2 + Wall, 55}, {43 + Wall, 55}}},
    {ArtworkId::BulbCondenser, RefrigerantABoules, {{3 + Wall, 110}, {23 + Wall, 110}}},
    {ArtworkId::StraightCondenser, RefrigerantDroit, {{60, 39.5}, {60, 39.5}}},
    {ArtworkId::VigreuxColumn, ColonneDeVigreux, {{7 + Wall, 150}, {19 + Wall, 150}}},
    {ArtworkId::Thermometer, Thermometre, {{3 + Wall, 20}, {9 + Wall, 20}}},
    {ArtworkId::Tap, -1, {{24, 7 + Wall}, {24, 7 + Wall}}},
};

// Parts drawn inside another piece's artwork, from that artwork's corner.
const Anchors mantle{{8 + Wall, 115}, {106 + Wall, 115}};   // the mantle's base
const Anchors stopcock{{12 + Wall, 127}, {43 + Wall, 127}}; // the funnel's tap
// The chromatography plate and the lid, from the beaker's corner (their own outlines).
const Anchors plate{{28, 45}, {68, 45}};
const Anchors lid{{13, 22}, {83, 22}};

// Hoses are drawn at fixed places: on each, a point of its body beside the condenser's tube.
struct Water {
    QPointF in;
    QPointF out;
};
const Water bulbWater{{164, 321}, {165, 167}};
const Water highStraightWater{{221, 250}, {165, 89}};
const Water lowStraightWater{{195, 354}, {165, 229}};
constexpr int highStraightBelow = 200; // the high condenser's top is at 132, the low one's at 272

// The hardware, as its sub-drawings fill it.
const QRect leftRod(QPoint(20, 150), QPoint(25, 450));
const QRect rightRod(QPoint(200, 150), QPoint(205, 450));
const QRect pumpBody(QPoint(261, 302), QPoint(271, 380));
constexpr int clampArmLeft = 10;
constexpr int clampArmRight = 90;
constexpr int jackBaseLeft = 225;

QPointF facing(const Anchors& anchors, QPoint corner, bool right) {
    return QPointF(corner) + (right ? anchors.right : anchors.left);
}

const ArtworkPart* partOf(ArtworkId id) {
    for (const ArtworkPart& part : artworkParts)
        if (part.id == id) return &part;
    return nullptr;
}

} // namespace

std::vector<LabelPart> labelParts(const SetupValues& values) {
    PartFinder finder;
    drawElementBlocks(finder, values);

    std::vector<LabelPart> parts;
    auto add = [&parts](PartKind kind, int element, QPointF anchor) {
        parts.push_back({kind, element, anchor});
    };
    std::optional<QPoint> beaker;
    bool beakerRight = false;
    for (const PartFinder::Drawn& drawn : finder.artwork) {
        const ArtworkPart* part = partOf(drawn.id);
        if (!part) continue;
        const QSize size = artworkSize(drawn.id);
        const bool right = drawn.at.x() + size.width() / 2.0 >= MiddleX;
        const QPointF anchor = facing(part->piece, drawn.at, right);
        // A piece drawn twice keeps one label.
        const PartKind kind = part->element < 0 ? PartKind::Tap : PartKind::Element;
        if (std::any_of(parts.begin(), parts.end(), [kind, part](const LabelPart& p) {
                return p.kind == kind && p.element == part->element;
            }))
            continue;
        add(kind, part->element, anchor);
        if (kind == PartKind::Tap) continue;
        switch (part->element) {
        case Ballon:
            add(PartKind::Heater, Ballon, facing(mantle, drawn.at, right));
            break;
        case AmpouleADecanter:
            add(PartKind::Stopcock, AmpouleADecanter, facing(stopcock, drawn.at, right));
            break;
        case Becher:
            beaker = drawn.at;
            beakerRight = right;
            break;
        case RefrigerantABoules:
        case RefrigerantDroit: {
            // The straight condenser is drawn high at the column's side arm, or low on the
            // flask's bent adapter; its hoses go with it.
            const Water& water = part->element == RefrigerantABoules ? bulbWater
                                 : drawn.at.y() < highStraightBelow  ? highStraightWater
                                                                     : lowStraightWater;
            add(PartKind::WaterIn, part->element, water.in);
            add(PartKind::WaterOut, part->element, water.out);
            break;
        }
        default:
            break;
        }
    }
    // The plate and the lid are drawn with the beaker, in its frame.
    if (beaker && values[PlaqueChromato])
        add(PartKind::Element, PlaqueChromato, facing(plate, *beaker, beakerRight));
    if (beaker && values[PlaqueChromato] && values[Couvercle])
        add(PartKind::Element, Couvercle, facing(lid, *beaker, beakerRight));

    if (finder.drewBox(pumpBody)) add(PartKind::Pump, FioleAVide, QPointF(270, 355));
    // One stand and one clamp are enough to name them: the left stand when it is there, the
    // highest clamp (the one holding the upper piece).
    if (finder.drewBox(leftRod))
        add(PartKind::Stand, -1, QPointF(leftRod.left(), 420));
    else if (finder.drewBox(rightRod))
        add(PartKind::Stand, -1, QPointF(rightRod.right(), 420));
    std::optional<int> clampHeight;
    for (const QRect& box : finder.boxes) {
        if (box.left() == clampArmLeft && box.right() == clampArmRight &&
            (!clampHeight || box.top() < *clampHeight))
            clampHeight = box.top();
        if (box.left() == jackBaseLeft && box.right() == DrawingWidth - 1 &&
            std::none_of(parts.begin(), parts.end(),
                         [](const LabelPart& p) { return p.kind == PartKind::Jack; }))
            add(PartKind::Jack, -1, QPointF(300, box.bottom()));
    }
    if (clampHeight) add(PartKind::Clamp, -1, QPointF(50, *clampHeight));
    return parts;
}

QString partId(const LabelPart& part) {
    switch (part.kind) {
    case PartKind::Element:
        return QString::number(part.element);
    case PartKind::Heater:
        return QStringLiteral("heater");
    case PartKind::WaterIn:
        return QStringLiteral("water-in");
    case PartKind::WaterOut:
        return QStringLiteral("water-out");
    case PartKind::Stand:
        return QStringLiteral("stand");
    case PartKind::Clamp:
        return QStringLiteral("clamp");
    case PartKind::Tap:
        return QStringLiteral("tap");
    case PartKind::Pump:
        return QStringLiteral("pump");
    case PartKind::Jack:
        return QStringLiteral("jack");
    case PartKind::Stopcock:
        return QStringLiteral("stopcock");
    }
    return QString();
}

QString partName(const LabelPart& part) {
    // As the pieces are named on a worksheet, not as the buttons are.
    static constexpr std::array<const char*, ElementCount> elementNames{
        "Verre à pied",
        "Bécher",
        "Erlenmeyer",
        "Ballon",
        "Fiole à vide",
        "Entonnoir et papier filtre",
        "Entonnoir Büchner",
        "Ampoule à décanter",
        "Réfrigérant à boules",
        "Réfrigérant droit",
        "Colonne de Vigreux",
        "Thermomètre",
        "Plaque de chromatographie",
        "Couvercle",
    };
    switch (part.kind) {
    case PartKind::Element:
        return QString::fromUtf8(elementNames.at(static_cast<std::size_t>(part.element)));
    case PartKind::Heater:
        return QStringLiteral("Chauffe-ballon");
    case PartKind::WaterIn:
        return QStringLiteral("Entrée d'eau");
    case PartKind::WaterOut:
        return QStringLiteral("Sortie d'eau");
    case PartKind::Stand:
        return QStringLiteral("Potence");
    case PartKind::Clamp:
        return QStringLiteral("Pince");
    case PartKind::Tap:
        return QStringLiteral("Robinet");
    case PartKind::Pump:
        return QStringLiteral("Trompe à eau");
    case PartKind::Jack:
        return QStringLiteral("Support élévateur");
    case PartKind::Stopcock:
        return QStringLiteral("Robinet");
    }
    return QString();
}

} // namespace alambix
