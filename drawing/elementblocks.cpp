#include "drawing/benchhardware.h"
#include "drawing/canvas.h"
#include "drawing/setupdrawing.h"

namespace alambix {

namespace {

// The locals one redraw shares between its blocks.
struct Locals {
    const SetupValues& values;
    int axe = 0;
    int xbecher = 0;
    int ybecher = 0;
    int yentonnoir = 0;
    int yampoule = 0;

    bool on(Element element) const { return values[element]; }
};

struct Placement {
    int x;
    int y;
};

// A receiver stands on the axis without the flask; beside the stands with it, and on the raised
// support when the column lifts the condenser.
Placement placeReceiver(Canvas& canvas, const Locals& l, int benchY, Placement raised,
                        Placement beside) {
    if (!l.on(Ballon)) return {l.axe - 50, benchY};
    if (l.on(ColonneDeVigreux)) {
        support(canvas, 300, l.values);
        return raised;
    }
    return beside;
}

void verreAPied(Canvas& canvas, const Locals& l) {
    if (!l.on(VerreAPied)) return;
    const Placement at = placeReceiver(canvas, l, 350, {230, 205}, {230, 345});
    canvas.bitmap(ArtworkId::StemmedGlass, at.x, at.y);
}

void becher(Canvas& canvas, Locals& l) {
    if (!l.on(Becher)) return;
    const Placement at = placeReceiver(canvas, l, 360, {230, 215}, {230, 355});
    l.xbecher = at.x;
    l.ybecher = at.y;
    const int x = l.xbecher;
    const int y = l.ybecher;
    const bool plate = l.on(PlaqueChromato);
    if (plate) {
        // Back of the tank and the plate, partly covered by the beaker glass.
        if (l.on(Couvercle)) canvas.ellipse(x + 48, y + 27, 35, paletteColour(8), 0.15);
        canvas.arc(x + 48, y + 85, 30, paletteColour(8), 0, 3.16, 0.12);
        canvas.filledBox(x + 28, y + 19, x + 68, y + 91, paletteColour(15));
        canvas.line(x + 28, y + 82, x + 68, y + 82, paletteColour(7));
        canvas.line(x + 28, y + 27, x + 68, y + 27, paletteColour(7));
        canvas.box(x + 28, y + 19, x + 68, y + 91, paletteColour(8));
    }
    canvas.bitmap(ArtworkId::Beaker, x, y);
    if (plate) {
        // The eluent in front of the plate.
        canvas.filledBox(x + 29, y + 85, x + 67, y + 91, QColor(210, 210, 210));
        canvas.line(x + 28, y + 91, x + 68, y + 91, paletteColour(8));
        canvas.arc(x + 48, y + 85, 30, paletteColour(8), 3.14, 6.28, 0.12);
    }
}

void erlenmeyer(Canvas& canvas, const Locals& l) {
    if (!l.on(Erlenmeyer)) return;
    const Placement at = placeReceiver(canvas, l, 345, {225, 200}, {225, 340});
    canvas.bitmap(ArtworkId::Erlenmeyer, at.x, at.y);
}

void ballon(Canvas& canvas, const Locals& l) {
    if (!l.on(Ballon)) return;
    canvas.bitmap(ArtworkId::FlaskWithMantle, l.axe - 60, 330);
    pince(canvas, 350);
    potencegauche(canvas);
}

void fioleAVide(Canvas& canvas, const Locals& l) {
    if (!l.on(FioleAVide)) return;
    canvas.bitmap(ArtworkId::VacuumFlask, l.axe - 40, 320);
    robinet(canvas, 270);
    // Vacuum hose from the side arm to the water-jet pump, the pump and its water column.
    canvas.filledBox(130, 334, 250, 342, hoseBody());
    canvas.box(130, 334, 250, 342, paletteColour(0));
    canvas.line(131, 336, 249, 336, hoseHighlight());
    canvas.filledBox(251, 335, 260, 341, paletteColour(0));
    canvas.line(251, 337, 260, 337, paletteColour(15));
    canvas.filledBox(261, 302, 271, 380, paletteColour(0));
    canvas.line(263, 302, 263, 380, paletteColour(15));
    canvas.filledBox(261, 381, 271, 490, paletteColour(11));
}

// The ring holding a funnel and its arm to the right stand: arm at y + armTop .. y + armTop + 3
// from x armLeft, front half of the ring in four arcs from y + ringTop down.
void ring(Canvas& canvas, int axe, int y, int armLeft, int armTop, int ringTop, double radius) {
    canvas.filledBox(axe + armLeft, y + armTop, 215, y + armTop + 3, paletteColour(8));
    canvas.box(axe + armLeft, y + armTop, 215, y + armTop + 3, paletteColour(0));
    canvas.line(axe + armLeft + 1, y + armTop + 1, 214, y + armTop + 1, paletteColour(15));
    const int colours[] = {0, 15, 7, 0};
    for (int k = 0; k < 4; ++k)
        canvas.arc(axe - 2, y + ringTop + k, radius, paletteColour(colours[k]), 3.14, 6.28, 0.2);
}

void entonnoir(Canvas& canvas, Locals& l) {
    if (!l.on(Entonnoir)) return;
    l.yentonnoir = 150;
    if (!l.on(Ballon) && !l.on(FioleAVide)) l.yentonnoir = 200;
    canvas.bitmap(ArtworkId::FilterFunnel, l.axe - 50, l.yentonnoir);
    ring(canvas, l.axe, l.yentonnoir, 28, 32, 31, 30);
    potencedroite(canvas);
}

void buchner(Canvas& canvas, const Locals& l) {
    if (!l.on(Buchner)) return;
    canvas.bitmap(ArtworkId::Buchner, l.axe - 40, 279);
    pince(canvas, 333);
    potencegauche(canvas);
}

void ampouleADecanter(Canvas& canvas, Locals& l) {
    if (!l.on(AmpouleADecanter)) return;
    // Each test overrides the previous ones.
    l.yampoule = 235;
    if (l.on(Becher)) l.yampoule = 260;
    if (l.on(VerreAPied)) l.yampoule = 245;
    if (l.on(Ballon)) l.yampoule = 200;
    if (l.on(FioleAVide)) l.yampoule = 200;
    if (l.on(Couvercle)) l.yampoule = 200;
    canvas.bitmap(ArtworkId::SeparatingFunnel, l.axe - 25, l.yampoule - 70);
    ring(canvas, l.axe, l.yampoule, 20, 2, 1, 23);
    potencedroite(canvas);
}

void refrigerantABoules(Canvas& canvas, const Locals& l) {
    if (!l.on(RefrigerantABoules)) return;
    canvas.bitmap(ArtworkId::BulbCondenser, l.axe - 16, 115);
    hose(canvas, 120, 374, 0, 1.57, {215, 214, 213, 212, 211, 210, 209}, "OBHBBBO");
    robinet(canvas, 270);
    hose(canvas, 120, 384, 0.68, 1.57, {80, 79, 78, 77, 76, 75, 74}, "OBHBBBO");
    hose(canvas, 218, 304, 3.83, 6.28, {52, 51, 50, 49, 48, 47, 46}, "OBBBHBO");
    canvas.filledBox(264, 302, 270, 305, paletteColour(0));
    if (l.on(Ballon)) neckJoint(canvas);
    pince(canvas, 200);
    potencegauche(canvas);
}

void colonneDeVigreux(Canvas& canvas, const Locals& l) {
    if (!l.on(ColonneDeVigreux)) return;
    canvas.bitmap(ArtworkId::VigreuxColumn, l.axe - 16, 115);
    if (l.on(Ballon)) neckJoint(canvas);
    pince(canvas, 200);
    potencegauche(canvas);
}

// The right stand's clamp across the condenser tube, `dy` pixels below the high position: 101
// real-valued lines, v from 200 in steps of 0.2 added up as the loop goes.
void greyBand(Canvas& canvas, double dy) {
    double v = 200;
    for (int i = 0; i <= 100; ++i) {
        canvas.line(QPointF(v, v / 3 + 92 + dy), QPointF(v - 8, v / 3 + 113 + dy),
                    paletteColour(7));
        v += 0.2;
    }
}

void refrigerantDroit(Canvas& canvas, const Locals& l) {
    if (!l.on(RefrigerantDroit)) return;
    potencedroite(canvas);
    if (l.on(ColonneDeVigreux)) {
        // High, at the side arm of the still head.
        greyBand(canvas, 0);
        canvas.bitmap(ArtworkId::StraightCondenser, l.axe + 11, 132);
        robinet(canvas, 397);
        canvas.line(218, 193, 218, 430, hoseOutline());
        canvas.filledBox(219, 193, 223, 430, hoseBody());
        canvas.line(220, 193, 220, 430, hoseHighlight());
        canvas.line(224, 193, 224, 430, hoseOutline());
        hose(canvas, 244, 429, 3.14, 6.28, {20, 21, 22, 23, 24, 25, 26}, "OBHBBBO");
        canvas.filledBox(262, 429, 271, 432, paletteColour(0));
        hose(canvas, 240, 160, 0, 2.9, {100, 101, 102, 103, 104, 105, 106}, "OBBBHBO");
        return;
    }
    // Low, on a bent adapter of the flask.
    greyBand(canvas, 140);
    canvas.bitmap(ArtworkId::StraightCondenser, l.axe + 11, 272);
    robinet(canvas, 150);
    if (l.on(Ballon)) {
        canvas.arc(120, 300, 20, paletteColour(0), 1.57, 3.1416, 1.0);
        canvas.arc(120, 300, 14, paletteColour(0), 1.57, 3.1416, 1.0);
        canvas.arc(120, 300, 15, paletteColour(8), 1.57, 3.1416, 1.0);
        canvas.arc(120, 300, 18, paletteColour(15), 1.57, 3.1416, 1.0);
        canvas.line(100, 300, 100, 350, paletteColour(0));
        canvas.line(102, 300, 102, 350, paletteColour(15));
        canvas.line(105, 300, 105, 350, paletteColour(8));
        canvas.line(106, 300, 106, 350, paletteColour(0));
        canvas.line(100, 350, 106, 350, paletteColour(0));
        neckJoint(canvas);
    }
    hose(canvas, 240, 300, 0, 2.9, {100, 101, 102, 103, 104, 105, 106}, "OBBBHBO");
    hose(canvas, 195, 327, 1.8, 6.1, {24, 25, 26, 27, 28, 29, 30}, "OBBBHBO");
    hose(canvas, 133, 180, 5.1, 6.28, {130, 131, 132, 133, 134, 135, 136}, "OBHBBBO");
}

void thermometre(Canvas& canvas, const Locals& l) {
    if (l.on(Thermometre)) canvas.bitmap(ArtworkId::Thermometer, l.axe - 9, 33);
}

// The clamp on the vacuum flask's neck, over everything drawn before it.
void fioleAVideSecondPass(Canvas& canvas, const Locals& l) {
    if (!l.on(FioleAVide)) return;
    pince(canvas, 333);
    potencegauche(canvas);
}

void couvercle(Canvas& canvas, const Locals& l) {
    // The lid rests on the beaker's tank: without the beaker and the plate there is nowhere to draw
    // it.
    if (!l.on(Couvercle) || !l.on(Becher) || !l.on(PlaqueChromato)) return;
    const int x = l.xbecher;
    const int y = l.ybecher;
    // The lid's rim, a band of frosted glass over the beaker's rim, under its outline.
    canvas.filledBox(x + 14, y + 19, x + 82, y + 27, QColor(255, 255, 255, 150));
    // Smooth curves: a lid, not a staircase of one-pixel steps.
    canvas.setSmooth(true);
    canvas.ellipse(x + 48, y + 18, 33, paletteColour(15), 0.15);
    canvas.ellipse(x + 48, y + 18, 35, paletteColour(0), 0.15);
    canvas.arc(x + 48, y + 26, 35, paletteColour(15), 3.14, 6.28, 0.15);
    canvas.arc(x + 48, y + 27, 35, paletteColour(0), 3.14, 6.28, 0.15);
    canvas.setSmooth(false);
    canvas.line(x + 13, y + 18, x + 13, y + 27, paletteColour(0));
    canvas.line(x + 83, y + 18, x + 83, y + 27, paletteColour(0));
}

} // namespace

void drawElementBlocks(Canvas& canvas, const SetupValues& values) {
    Locals l{values};
    l.axe = setupAxis(canvas.width());
    verreAPied(canvas, l);
    becher(canvas, l);
    erlenmeyer(canvas, l);
    ballon(canvas, l);
    fioleAVide(canvas, l);
    entonnoir(canvas, l);
    buchner(canvas, l);
    ampouleADecanter(canvas, l);
    refrigerantABoules(canvas, l);
    colonneDeVigreux(canvas, l);
    refrigerantDroit(canvas, l);
    thermometre(canvas, l);
    fioleAVideSecondPass(canvas, l);
    couvercle(canvas, l);
}

} // namespace alambix
