// Every element block draws its pieces at their coordinates, in their colours and order.

#include "support/drawinghelpers.h"

#include "drawing/artwork.h"
#include "drawing/benchhardware.h"
#include "drawing/paintercanvas.h"
#include "drawing/setupdrawing.h"

#include <QPainter>
#include <QTest>

using namespace alambix;
using namespace alambix::testing;

Q_DECLARE_METATYPE(alambix::ArtworkId)

namespace {
const QColor black(0, 0, 0);
const QColor darkRed(128, 0, 0);
const QColor grey(192, 192, 192);
const QColor darkGrey(128, 128, 128);
const QColor cyan(0, 255, 255);
const QColor white(255, 255, 255);
const QColor hoseBodyColour(200, 150, 50);
const QColor hoseLight(255, 200, 100);
const QColor jointRed(240, 50, 50);
const QColor eluent(210, 210, 210);

// Keeps what the blocks ask for, in order.
class RecordingCanvas final : public Canvas {
public:
    int width() const override { return DrawingWidth; }
    int height() const override { return DrawingHeight; }
    void line(QPointF from, QPointF to, const QColor& colour) override {
        lines.append({QLineF(from, to), colour});
    }
    void box(int x1, int y1, int x2, int y2, const QColor&) override {
        boxes.append(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    }
    void filledBox(int x1, int y1, int x2, int y2, const QColor&) override {
        boxes.append(QRect(QPoint(x1, y1), QPoint(x2, y2)));
    }
    void arc(double, double, double, const QColor&, double, double, double) override {}
    void ellipse(double, double, double, const QColor&, double) override {}
    void bitmap(ArtworkId id, int, int) override { artwork.append(id); }
    void text(int, int, const QString&, double, const QColor&) override {}
    double textWidth(const QString&, double) const override { return 0; }
    using Canvas::line;

    QList<std::pair<QLineF, QColor>> lines;
    QList<QRect> boxes;
    QList<ArtworkId> artwork;
};

// Share of the artwork's opaque pixels found unchanged at `topLeft` + offset in the drawing.
double artworkMatch(const QImage& drawing, ArtworkId id, QPoint topLeft) {
    const QImage art = artworkImage(id).convertToFormat(QImage::Format_ARGB32);
    int opaque = 0;
    int same = 0;
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            const QRgb pixel = art.pixel(x, y);
            if (qAlpha(pixel) != 255) continue;
            const QPoint at = topLeft + QPoint(x, y);
            if (!drawing.rect().contains(at)) continue;
            ++opaque;
            if ((drawing.pixel(at) & 0xffffff) == (pixel & 0xffffff)) ++same;
        }
    return opaque == 0 ? 0 : static_cast<double>(same) / opaque;
}
} // namespace

class ElementBlocksTest : public QObject {
    Q_OBJECT
private slots:
    void pieceAtItsPlace_data();
    void pieceAtItsPlace();
    void pieceAbsent_data();
    void pieceAbsent();
    void artworkAtItsPlace_data();
    void artworkAtItsPlace();
    void supportContactLine_data();
    void supportContactLine();
    void greyBandHasItsHundredAndOneLines_data();
    void greyBandHasItsHundredAndOneLines();
    void blocksRunInTheirOrder_data();
    void blocksRunInTheirOrder();
    void vacuumClampDrawnLast();
    void glassShowsWhatIsBehind_data();
    void glassShowsWhatIsBehind();
};

void ElementBlocksTest::pieceAtItsPlace_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("colour");

    const QList<int> flask{3};
    const QList<int> reflux{3, 8};
    const QList<int> distillation{0, 3, 10, 9, 11};
    const QList<int> lowCondenser{3, 9};
    const QList<int> condenserAlone{9};

    // Left stand: rod fill, outline, highlight, shadow, base plate.
    QTest::newRow("left stand rod") << flask << QPoint(21, 300) << grey;
    QTest::newRow("left stand outline") << flask << QPoint(20, 300) << black;
    QTest::newRow("left stand highlight") << flask << QPoint(22, 300) << white;
    QTest::newRow("left stand shadow") << flask << QPoint(24, 300) << darkGrey;
    QTest::newRow("left stand top") << flask << QPoint(22, 150) << black;
    QTest::newRow("left stand base") << flask << QPoint(40, 452) << white;
    QTest::newRow("left stand base corner") << flask << QPoint(45, 455) << black;
    // Right stand, 180 pixels further right.
    QTest::newRow("right stand highlight") << QList<int>{0, 5} << QPoint(202, 300) << white;
    QTest::newRow("right stand shadow") << QList<int>{0, 5} << QPoint(204, 300) << darkGrey;
    QTest::newRow("right stand base") << QList<int>{0, 5} << QPoint(185, 452) << white;
    QTest::newRow("right stand base corner") << QList<int>{2, 7} << QPoint(225, 455) << black;
    QTest::newRow("right stand with condenser") << condenserAlone << QPoint(201, 400) << grey;

    // The clamp at each of its heights: arm highlight and shadow, jaw fill and inner box.
    const struct {
        const char* name;
        QList<int> clicks;
        int h;
    } clamps[] = {
        {"flask, 350", flask, 350},
        {"vacuum flask, 333", {4}, 333},
        {"Buchner, 333", {4, 6}, 333},
        {"bulb condenser, 200", reflux, 200},
        {"Vigreux column, 200", {3, 10}, 200},
    };
    for (const auto& clamp : clamps) {
        const int h = clamp.h;
        QTest::addRow("clamp %s: arm highlight", clamp.name)
            << clamp.clicks << QPoint(50, h + 1) << white;
        QTest::addRow("clamp %s: arm fill", clamp.name)
            << clamp.clicks << QPoint(50, h + 2) << grey;
        QTest::addRow("clamp %s: arm shadow", clamp.name)
            << clamp.clicks << QPoint(50, h + 3) << darkGrey;
        QTest::addRow("clamp %s: arm outline", clamp.name)
            << clamp.clicks << QPoint(60, h + 4) << black;
        QTest::addRow("clamp %s: rod over arm", clamp.name)
            << clamp.clicks << QPoint(22, h + 2) << white;
        QTest::addRow("clamp %s: jaw outline", clamp.name)
            << clamp.clicks << QPoint(91, h - 3) << black;
        QTest::addRow("clamp %s: jaw inner box", clamp.name)
            << clamp.clicks << QPoint(93, h + 2) << white;
        QTest::addRow("clamp %s: jaw fill", clamp.name)
            << clamp.clicks << QPoint(105, h + 2) << grey;
        QTest::addRow("clamp %s: jaw lower shadow", clamp.name)
            << clamp.clicks << QPoint(100, h + 5) << darkGrey;
        QTest::addRow("clamp %s: jaw right shadow", clamp.name)
            << clamp.clicks << QPoint(116, h + 3) << darkGrey;
    }
    // The second pass of the vacuum flask's clamp covers what was drawn after the vacuum flask.
    QTest::newRow("second clamp pass over the Vigreux column")
        << QList<int>{4, 10} << QPoint(100, 332) << white;
    QTest::newRow("second clamp pass over the Buchner")
        << QList<int>{4, 6} << QPoint(105, 335) << grey;

    // The tap's supply hose to the right edge, at every tap height.
    const struct {
        const char* name;
        QList<int> clicks;
        int h;
    } taps[] = {
        {"vacuum flask, 270", {4}, 270},
        {"bulb condenser, 270", reflux, 270},
        {"straight condenser high, 397", distillation, 397},
        {"straight condenser low, 150", condenserAlone, 150},
    };
    for (const auto& tap : taps) {
        const int h = tap.h;
        QTest::addRow("tap %s: hose outline at the edge", tap.name)
            << tap.clicks << QPoint(320, h + 7) << black;
        QTest::addRow("tap %s: hose highlight at the edge", tap.name)
            << tap.clicks << QPoint(320, h + 9) << white;
        QTest::addRow("tap %s: hose body", tap.name) << tap.clicks << QPoint(305, h + 12) << grey;
        QTest::addRow("tap %s: hose shadow", tap.name)
            << tap.clicks << QPoint(305, h + 15) << darkGrey;
        QTest::addRow("tap %s: hose start", tap.name) << tap.clicks << QPoint(291, h + 17) << black;
    }

    // Raised support under the receiver of a distillation.
    QTest::newRow("support top edge") << distillation << QPoint(315, 300) << darkGrey;
    QTest::newRow("support block") << distillation << QPoint(235, 310) << white;
    QTest::newRow("support slanted face") << distillation << QPoint(232, 308) << darkGrey;
    QTest::newRow("support base bar") << distillation << QPoint(300, 316) << grey;
    QTest::newRow("support base bar outline") << distillation << QPoint(300, 318) << darkGrey;
    QTest::newRow("support base bar left end") << distillation << QPoint(225, 316) << darkGrey;

    // Neck joint, wherever a column or condenser stands on the flask.
    for (const auto& [name, clicks] :
         {std::pair{"reflux", reflux}, std::pair{"distillation", distillation},
          std::pair{"low condenser", lowCondenser}}) {
        QTest::addRow("neck joint, %s: red", name) << clicks << QPoint(95, 331) << jointRed;
        QTest::addRow("neck joint, %s: dark red", name) << clicks << QPoint(105, 331) << darkRed;
        QTest::addRow("neck joint, %s: outline", name) << clicks << QPoint(116, 335) << black;
    }

    // Bulb condenser hoses.
    QTest::newRow("reflux upper hose outer edge") << reflux << QPoint(121, 159) << black;
    QTest::newRow("reflux upper hose highlight") << reflux << QPoint(121, 161) << hoseLight;
    QTest::newRow("reflux upper hose body") << reflux << QPoint(121, 163) << hoseBodyColour;
    QTest::newRow("reflux upper hose inner edge") << reflux << QPoint(121, 165) << black;
    QTest::newRow("reflux lower hose, first arc outer edge") << reflux << QPoint(121, 304) << black;
    QTest::newRow("reflux lower hose, first arc highlight")
        << reflux << QPoint(121, 306) << hoseLight;
    QTest::newRow("reflux lower hose, first arc inner edge") << reflux << QPoint(121, 310) << black;
    QTest::newRow("reflux lower hose, second arc outer edge")
        << reflux << QPoint(218, 356) << black;
    QTest::newRow("reflux lower hose, second arc highlight")
        << reflux << QPoint(218, 352) << hoseLight;
    QTest::newRow("reflux lower hose, second arc body")
        << reflux << QPoint(218, 354) << hoseBodyColour;
    QTest::newRow("reflux hose end under the tap") << reflux << QPoint(267, 304) << black;

    // Straight condenser, high: band, straight hose down, curve into the tap, hose over the top.
    QTest::newRow("high condenser grey band") << distillation << QPoint(198, 180) << grey;
    QTest::newRow("high condenser hose left edge") << distillation << QPoint(218, 300) << black;
    QTest::newRow("high condenser hose highlight") << distillation << QPoint(220, 300) << hoseLight;
    QTest::newRow("high condenser hose body") << distillation << QPoint(222, 300) << hoseBodyColour;
    QTest::newRow("high condenser hose right edge") << distillation << QPoint(224, 300) << black;
    QTest::newRow("high condenser hose from the side tube")
        << distillation << QPoint(221, 193) << hoseBodyColour;
    QTest::newRow("high condenser curve outer edge") << distillation << QPoint(244, 455) << black;
    QTest::newRow("high condenser curve highlight")
        << distillation << QPoint(244, 451) << hoseLight;
    QTest::newRow("high condenser hose end under the tap")
        << distillation << QPoint(266, 431) << black;
    QTest::newRow("high condenser upper hose outer edge")
        << distillation << QPoint(240, 54) << black;
    QTest::newRow("high condenser upper hose highlight")
        << distillation << QPoint(240, 56) << hoseLight;
    QTest::newRow("high condenser upper hose inner edge")
        << distillation << QPoint(240, 60) << black;

    // Straight condenser, low: band 140 pixels lower, bent adapter on the flask, three hoses.
    for (const auto& [name, clicks] :
         {std::pair{"with flask", lowCondenser}, std::pair{"alone", condenserAlone}}) {
        QTest::addRow("low condenser %s: grey band", name) << clicks << QPoint(198, 320) << grey;
        QTest::addRow("low condenser %s: upper hose highlight", name)
            << clicks << QPoint(240, 196) << hoseLight;
        QTest::addRow("low condenser %s: upper hose inner edge", name)
            << clicks << QPoint(240, 200) << black;
        QTest::addRow("low condenser %s: tap hose outer edge", name)
            << clicks << QPoint(195, 357) << black;
        QTest::addRow("low condenser %s: tap hose highlight", name)
            << clicks << QPoint(195, 355) << hoseLight;
        QTest::addRow("low condenser %s: tap hose inner edge", name)
            << clicks << QPoint(195, 351) << black;
        QTest::addRow("low condenser %s: hose into the tap", name)
            << clicks << QPoint(264, 181) << hoseLight;
        QTest::addRow("low condenser %s: hose into the tap, edge", name)
            << clicks << QPoint(262, 181) << black;
    }
    QTest::newRow("adapter outer wall") << lowCondenser << QPoint(100, 320) << black;
    QTest::newRow("adapter highlight") << lowCondenser << QPoint(102, 320) << white;
    QTest::newRow("adapter shadow") << lowCondenser << QPoint(105, 320) << darkGrey;
    QTest::newRow("adapter inner wall") << lowCondenser << QPoint(106, 320) << black;
    QTest::newRow("adapter bottom") << lowCondenser << QPoint(103, 350) << black;
    QTest::newRow("adapter bend r 20") << lowCondenser << QPoint(119, 280) << black;
    QTest::newRow("adapter bend r 18") << lowCondenser << QPoint(119, 282) << white;
    QTest::newRow("adapter bend r 15") << lowCondenser << QPoint(119, 285) << darkGrey;
    QTest::newRow("adapter bend r 14") << lowCondenser << QPoint(119, 286) << black;

    // Vacuum flask: hose, pump inlet, pump body, water column to the bottom edge.
    const QList<int> vacuum{4};
    QTest::newRow("vacuum hose outline") << vacuum << QPoint(200, 334) << black;
    QTest::newRow("vacuum hose highlight") << vacuum << QPoint(200, 336) << hoseLight;
    QTest::newRow("vacuum hose body") << vacuum << QPoint(200, 339) << hoseBodyColour;
    QTest::newRow("vacuum hose from the side arm") << vacuum << QPoint(131, 340) << hoseBodyColour;
    QTest::newRow("pump inlet") << vacuum << QPoint(255, 339) << black;
    QTest::newRow("pump inlet highlight") << vacuum << QPoint(255, 337) << white;
    QTest::newRow("pump body") << vacuum << QPoint(268, 350) << black;
    QTest::newRow("pump body highlight") << vacuum << QPoint(263, 350) << white;
    QTest::newRow("pump body top under the spout") << vacuum << QPoint(266, 302) << black;
    QTest::newRow("water column") << vacuum << QPoint(266, 400) << cyan;
    QTest::newRow("water column at the bottom edge")
        << vacuum << QPoint(261, DrawingHeight - 1) << cyan;

    // Funnel ring and arm: y 200 above a receiver, 150 above the flask or the vacuum flask.
    for (const auto& [name, clicks, y] :
         {std::tuple{"alone, 200", QList<int>{5}, 200},
          std::tuple{"above the glass, 200", QList<int>{0, 5}, 200},
          std::tuple{"above the flask, 150", QList<int>{3, 5}, 150},
          std::tuple{"above the vacuum flask, 150", QList<int>{4, 5}, 150}}) {
        QTest::addRow("funnel %s: arm outline", name) << clicks << QPoint(150, y + 32) << black;
        QTest::addRow("funnel %s: arm highlight", name) << clicks << QPoint(150, y + 33) << white;
        QTest::addRow("funnel %s: arm", name) << clicks << QPoint(150, y + 34) << darkGrey;
        QTest::addRow("funnel %s: arm left end", name) << clicks << QPoint(135, y + 34) << black;
        QTest::addRow("funnel %s: ring, outer", name) << clicks << QPoint(105, y + 37) << black;
        QTest::addRow("funnel %s: ring, light", name) << clicks << QPoint(105, y + 38) << white;
        QTest::addRow("funnel %s: ring, grey", name) << clicks << QPoint(105, y + 39) << grey;
        QTest::addRow("funnel %s: ring, inner", name) << clicks << QPoint(105, y + 40) << black;
        QTest::addRow("funnel %s: right stand", name) << clicks << QPoint(202, 400) << white;
    }
    // Separating funnel ring arm at 235, 260, 245 and 200.
    for (const auto& [name, clicks, y] :
         {std::tuple{"alone, 235", QList<int>{7}, 235},
          std::tuple{"above the beaker, 260", QList<int>{1, 7}, 260},
          std::tuple{"above the glass, 245", QList<int>{0, 7}, 245},
          std::tuple{"above the Erlenmeyer, 235", QList<int>{2, 7}, 235},
          std::tuple{"above the flask, 200", QList<int>{3, 7}, 200},
          std::tuple{"above the vacuum flask, 200", QList<int>{4, 7}, 200},
          std::tuple{"above the lid, 200", QList<int>{1, 12, 13, 7}, 200}}) {
        QTest::addRow("separating funnel %s: arm outline", name)
            << clicks << QPoint(150, y + 2) << black;
        QTest::addRow("separating funnel %s: arm highlight", name)
            << clicks << QPoint(150, y + 3) << white;
        QTest::addRow("separating funnel %s: arm", name)
            << clicks << QPoint(150, y + 4) << darkGrey;
        QTest::addRow("separating funnel %s: arm left end", name)
            << clicks << QPoint(215, y + 4) << black;
    }

    // Chromatography: eluent in front of the beaker, lid over its rim.
    const QList<int> plate{1, 12};
    const QList<int> lid{1, 12, 13};
    QTest::newRow("eluent") << plate << QPoint(100, 446) << eluent;
    QTest::newRow("eluent's front arc") << plate << QPoint(100, 448) << darkGrey;
    QTest::newRow("eluent front edge") << plate << QPoint(100, 451) << darkGrey;
    QTest::newRow("lid left side") << lid << QPoint(70, 383) << black;
    QTest::newRow("lid right side") << lid << QPoint(140, 383) << black;
    QTest::newRow("lid with eluent") << lid << QPoint(100, 446) << eluent;
    QTest::newRow("plate in the distillation beaker")
        << QList<int>{1, 12, 3, 10} << QPoint(230 + 40, 215 + 86) << eluent;
}

void ElementBlocksTest::pieceAtItsPlace() {
    QFETCH(QList<int>, clicks);
    QFETCH(QPoint, point);
    QFETCH(QColor, colour);
    const QImage image = drawingAfterClicks(clicks);
    const QRgb pixel = image.pixel(point);
    QVERIFY2(
        QColor(pixel) == colour,
        qPrintable(
            QStringLiteral("found %1, expected %2").arg(describe(pixel), describe(colour.rgb()))));
}

void ElementBlocksTest::pieceAbsent_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QPoint>("point");

    QTest::newRow("no support without the column") << QList<int>{0, 3} << QPoint(300, 316);
    QTest::newRow("no support without a receiver") << QList<int>{3, 10, 9} << QPoint(300, 316);
    QTest::newRow("no adapter without the flask") << QList<int>{9} << QPoint(102, 320);
    QTest::newRow("no neck joint without the flask") << QList<int>{8} << QPoint(95, 331);
    QTest::newRow("no right stand with the bulb condenser") << QList<int>{3, 8} << QPoint(202, 400);
    QTest::newRow("no lid without the lid button") << QList<int>{1, 12} << QPoint(70, 383);
    QTest::newRow("no beaker lip outside the lid") << QList<int>{1, 12, 13} << QPoint(69, 376);
    QTest::newRow("plate and lid leave with the beaker")
        << QList<int>{1, 12, 13, 1} << QPoint(100, 446);
    QTest::newRow("no thermometer without the column") << QList<int>{3, 11} << QPoint(104, 60);
    QTest::newRow("no tap with the funnel") << QList<int>{0, 5} << QPoint(320, 277);
}

void ElementBlocksTest::pieceAbsent() {
    QFETCH(QList<int>, clicks);
    QFETCH(QPoint, point);
    DrawingSurface bare;
    bare.paintBackground();
    const QImage image = drawingAfterClicks(clicks);
    QCOMPARE(describe(image.pixel(point)), describe(bare.image().pixel(point)));
}

void ElementBlocksTest::artworkAtItsPlace_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<ArtworkId>("id");
    QTest::addColumn<QPoint>("topLeft");

    QTest::newRow("glass on the bench")
        << QList<int>{0} << ArtworkId::StemmedGlass << QPoint(57, 350);
    QTest::newRow("glass beside the flask")
        << QList<int>{0, 3} << ArtworkId::StemmedGlass << QPoint(230, 345);
    QTest::newRow("glass on the support")
        << QList<int>{0, 3, 10} << ArtworkId::StemmedGlass << QPoint(230, 205);
    QTest::newRow("beaker on the bench") << QList<int>{1} << ArtworkId::Beaker << QPoint(57, 360);
    QTest::newRow("beaker beside the flask")
        << QList<int>{1, 3} << ArtworkId::Beaker << QPoint(230, 355);
    QTest::newRow("beaker on the support")
        << QList<int>{1, 3, 10} << ArtworkId::Beaker << QPoint(230, 215);
    QTest::newRow("Erlenmeyer on the bench")
        << QList<int>{2} << ArtworkId::Erlenmeyer << QPoint(57, 345);
    QTest::newRow("Erlenmeyer beside the flask")
        << QList<int>{2, 3} << ArtworkId::Erlenmeyer << QPoint(225, 340);
    QTest::newRow("Erlenmeyer on the support")
        << QList<int>{2, 3, 10} << ArtworkId::Erlenmeyer << QPoint(225, 200);
    QTest::newRow("flask") << QList<int>{3} << ArtworkId::FlaskWithMantle << QPoint(47, 330);
    QTest::newRow("vacuum flask") << QList<int>{4} << ArtworkId::VacuumFlask << QPoint(67, 320);
    QTest::newRow("funnel at 200") << QList<int>{5} << ArtworkId::FilterFunnel << QPoint(57, 200);
    QTest::newRow("funnel at 150")
        << QList<int>{4, 5} << ArtworkId::FilterFunnel << QPoint(57, 150);
    QTest::newRow("Buchner") << QList<int>{4, 6} << ArtworkId::Buchner << QPoint(67, 279);
    QTest::newRow("separating funnel at 235")
        << QList<int>{7} << ArtworkId::SeparatingFunnel << QPoint(82, 165);
    QTest::newRow("separating funnel at 260")
        << QList<int>{1, 7} << ArtworkId::SeparatingFunnel << QPoint(82, 190);
    QTest::newRow("separating funnel at 245")
        << QList<int>{0, 7} << ArtworkId::SeparatingFunnel << QPoint(82, 175);
    QTest::newRow("separating funnel at 200")
        << QList<int>{1, 12, 13, 7} << ArtworkId::SeparatingFunnel << QPoint(82, 130);
    QTest::newRow("bulb condenser")
        << QList<int>{3, 8} << ArtworkId::BulbCondenser << QPoint(91, 115);
    QTest::newRow("Vigreux column")
        << QList<int>{3, 10} << ArtworkId::VigreuxColumn << QPoint(91, 115);
    QTest::newRow("straight condenser high")
        << QList<int>{3, 10, 9} << ArtworkId::StraightCondenser << QPoint(118, 132);
    QTest::newRow("straight condenser low")
        << QList<int>{3, 9} << ArtworkId::StraightCondenser << QPoint(118, 272);
    QTest::newRow("thermometer") << QList<int>{3, 10, 11} << ArtworkId::Thermometer
                                 << QPoint(98, 33);
    QTest::newRow("tap at 270") << QList<int>{4} << ArtworkId::Tap << QPoint(259, 270);
    QTest::newRow("tap at 270 for the bulb condenser")
        << QList<int>{8} << ArtworkId::Tap << QPoint(259, 270);
    QTest::newRow("tap at 397") << QList<int>{3, 10, 9} << ArtworkId::Tap << QPoint(259, 397);
    QTest::newRow("tap at 150") << QList<int>{9} << ArtworkId::Tap << QPoint(259, 150);
}

void ElementBlocksTest::artworkAtItsPlace() {
    QFETCH(QList<int>, clicks);
    QFETCH(ArtworkId, id);
    QFETCH(QPoint, topLeft);
    const QImage image = drawingAfterClicks(clicks);
    const double here = artworkMatch(image, id, topLeft);
    // Hoses, clamps and other pieces may cover a little of it; one pixel off, it no longer fits.
    QVERIFY2(here > 0.6, qPrintable(QString::number(here)));
    for (QPoint shift : {QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1)})
        QVERIFY2(artworkMatch(image, id, topLeft + shift) < here,
                 qPrintable(QString::number(here)));
}

void ElementBlocksTest::supportContactLine_data() {
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::newRow("beaker") << int(Becher) << 247 << 309;
    QTest::newRow("Erlenmeyer") << int(Erlenmeyer) << 245 << 305;
    QTest::newRow("stemmed glass: none") << int(VerreAPied) << 0 << -1;
}

void ElementBlocksTest::supportContactLine() {
    QFETCH(int, receiver);
    QFETCH(int, from);
    QFETCH(int, to);
    QImage image(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    SetupValues values{};
    values[static_cast<std::size_t>(receiver)] = true;
    {
        QPainter painter(&image);
        PainterCanvas canvas(painter, image.width(), image.height(), Strokes::Pixels);
        support(canvas, 300, values);
    }
    for (int x = 240; x <= 320; ++x) {
        const QColor expected = x >= from && x <= to ? QColor(230, 230, 230) : darkGrey;
        QCOMPARE(QColor(image.pixel(x, 300)), expected);
    }
    QCOMPARE(QColor(image.pixel(239, 301)), darkGrey); // slanted face
    QCOMPARE(QColor(image.pixel(235, 310)), white);
}

void ElementBlocksTest::greyBandHasItsHundredAndOneLines_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<double>("dy");
    QTest::newRow("high") << QList<int>{3, 10, 9} << 0.0;
    QTest::newRow("low") << QList<int>{3, 9} << 140.0;
    QTest::newRow("low, without the flask") << QList<int>{9} << 140.0;
}

void ElementBlocksTest::greyBandHasItsHundredAndOneLines() {
    QFETCH(QList<int>, clicks);
    QFETCH(double, dy);
    RecordingCanvas canvas;
    drawElementBlocks(canvas, setupAfterClicks(clicks));
    QList<QLineF> band;
    for (const auto& [line, colour] : canvas.lines)
        if (colour == grey && line.dx() == -8) band.append(line);
    QCOMPARE(band.size(), 101);
    QCOMPARE(band.first().p1(), QPointF(200, 200.0 / 3 + 92 + dy));
    QCOMPARE(band.first().p2(), QPointF(192, 200.0 / 3 + 113 + dy));
    // The step is added up, so the last value falls just under 220.
    QVERIFY(band.last().x1() < 220 && band.last().x1() > 219.99);
    QCOMPARE(band.last().y1(), band.last().x1() / 3 + 92 + dy);
    for (int i = 1; i < band.size(); ++i)
        QVERIFY(std::abs(band[i].x1() - band[i - 1].x1() - 0.2) < 1e-9);
}

void ElementBlocksTest::blocksRunInTheirOrder_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QList<ArtworkId>>("artwork");
    QTest::newRow("distillation") << QList<int>{0, 3, 10, 9, 11}
                                  << QList<ArtworkId>{
                                         ArtworkId::StemmedGlass,  ArtworkId::FlaskWithMantle,
                                         ArtworkId::VigreuxColumn, ArtworkId::StraightCondenser,
                                         ArtworkId::Tap,           ArtworkId::Thermometer};
    QTest::newRow("vacuum filtration")
        << QList<int>{4, 6}
        << QList<ArtworkId>{ArtworkId::VacuumFlask, ArtworkId::Tap, ArtworkId::Buchner};
    QTest::newRow("reflux") << QList<int>{3, 8}
                            << QList<ArtworkId>{ArtworkId::FlaskWithMantle,
                                                ArtworkId::BulbCondenser, ArtworkId::Tap};
    QTest::newRow("decantation into a beaker with its plate")
        << QList<int>{1, 12, 7} << QList<ArtworkId>{ArtworkId::Beaker, ArtworkId::SeparatingFunnel};
    QTest::newRow("funnel over the vacuum flask")
        << QList<int>{4, 5}
        << QList<ArtworkId>{ArtworkId::VacuumFlask, ArtworkId::Tap, ArtworkId::FilterFunnel};
}

void ElementBlocksTest::blocksRunInTheirOrder() {
    QFETCH(QList<int>, clicks);
    QFETCH(QList<ArtworkId>, artwork);
    RecordingCanvas canvas;
    drawElementBlocks(canvas, setupAfterClicks(clicks));
    QCOMPARE(canvas.artwork, artwork);
}

void ElementBlocksTest::vacuumClampDrawnLast() {
    // With the vacuum flask and the column, the last primitives are the clamp at 333 and the
    // left stand, after the column's own clamp at 200.
    RecordingCanvas canvas;
    drawElementBlocks(canvas, setupAfterClicks({4, 10}));
    QVERIFY(canvas.boxes.size() >= 9);
    const QList<QRect> lastBoxes = canvas.boxes.mid(canvas.boxes.size() - 9);
    QCOMPARE(lastBoxes.at(0), QRect(QPoint(10, 333), QPoint(90, 337))); // clamp arm
    QCOMPARE(lastBoxes.last(), QRect(QPoint(0, 450), QPoint(45, 455))); // left stand base
}

void ElementBlocksTest::glassShowsWhatIsBehind_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QColor>("drawn");
    QTest::addColumn<int>("tolerance");
    const QList<int> plate{1, 12};
    QTest::newRow("plate outline, left") << plate << QPoint(85, 410) << darkGrey << 8;
    QTest::newRow("plate outline, right") << plate << QPoint(125, 400) << darkGrey << 8;
    QTest::newRow("plate, upper line") << plate << QPoint(105, 387) << grey << 8;
    QTest::newRow("plate, lower line") << plate << QPoint(105, 442) << grey << 8;
    QTest::newRow("clamp behind the condenser")
        << QList<int>{3, 10, 9} << QPoint(202, 175) << grey << 16;
    QTest::newRow("clamp behind the condenser's tube")
        << QList<int>{3, 10, 9} << QPoint(198, 168) << grey << 16;
}

// The glass of the artwork tints what stands behind it only a little, and never blue.
void ElementBlocksTest::glassShowsWhatIsBehind() {
    QFETCH(QList<int>, clicks);
    QFETCH(QPoint, point);
    QFETCH(QColor, drawn);
    QFETCH(int, tolerance);
    const QColor seen(drawingAfterClicks(clicks).pixel(point));
    const QString found = describe(seen.rgb());
    for (int channel :
         {seen.red() - drawn.red(), seen.green() - drawn.green(), seen.blue() - drawn.blue()})
        QVERIFY2(std::abs(channel) <= tolerance, qPrintable(found));
    QVERIFY2(seen.blue() - seen.red() <= 12, qPrintable(found));
}

QTEST_MAIN(ElementBlocksTest)
#include "elementblocks_test.moc"
