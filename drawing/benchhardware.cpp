#include "drawing/benchhardware.h"

#include "drawing/canvas.h"

namespace alambix {

namespace {
// One stand: rod at x `rod`..`rod` + 5, base plate from `base` to `base` + 45.
void stand(Canvas& canvas, int rod, int base) {
    canvas.filledBox(rod, 150, rod + 5, 450, paletteColour(7));
    canvas.box(rod, 150, rod + 5, 450, paletteColour(0));
    canvas.line(rod + 2, 151, rod + 2, 449, paletteColour(15));
    canvas.line(rod + 4, 151, rod + 4, 449, paletteColour(8));
    canvas.filledBox(base, 450, base + 45, 455, paletteColour(15));
    canvas.box(base, 450, base + 45, 455, paletteColour(0));
}
} // namespace

void potencegauche(Canvas& canvas) {
    stand(canvas, 20, 0);
}

void potencedroite(Canvas& canvas) {
    stand(canvas, 200, 180);
}

void pince(Canvas& canvas, int hpince) {
    const int h = hpince;
    canvas.filledBox(10, h, 90, h + 4, paletteColour(7));
    canvas.box(10, h, 90, h + 4, paletteColour(0));
    canvas.line(11, h + 1, 89, h + 1, paletteColour(15));
    canvas.line(11, h + 3, 89, h + 3, paletteColour(8));
    canvas.filledBox(91, h - 3, 118, h + 7, paletteColour(7));
    canvas.box(91, h - 3, 118, h + 7, paletteColour(0));
    canvas.box(93, h - 1, 116, h + 5, paletteColour(15));
    canvas.line(94, h + 5, 116, h + 5, paletteColour(8));
    canvas.line(116, h, 116, h + 6, paletteColour(8));
}

void robinet(Canvas& canvas, int hrobinet) {
    const int h = hrobinet;
    canvas.bitmap(ArtworkId::Tap, 259, h);
    canvas.box(291, h + 7, 320, h + 17, paletteColour(0));
    canvas.filledBox(291, h + 8, 320, h + 16, paletteColour(7));
    canvas.box(291, h + 15, 320, h + 16, paletteColour(8));
    canvas.line(291, h + 9, 320, h + 9, paletteColour(15));
}

void support(Canvas& canvas, int hsupport, const SetupValues& values) {
    const int h = hsupport;
    for (int k = 0; k <= 15; ++k)
        canvas.line(240 - k, h + k, 320, h + k, paletteColour(15));
    canvas.line(240, h, 320, h, paletteColour(8));
    const QColor contact(230, 230, 230);
    if (values[Becher]) canvas.line(247, h, 309, h, contact);
    if (values[Erlenmeyer]) canvas.line(245, h, 305, h, contact);
    canvas.line(240, h, 225, h + 15, paletteColour(8));
    canvas.filledBox(225, h + 15, 320, h + 18, paletteColour(7));
    canvas.box(225, h + 15, 320, h + 18, paletteColour(8));
}

void neckJoint(Canvas& canvas) {
    canvas.filledBox(93, 328, 98, 334, QColor(240, 50, 50));
    canvas.filledBox(98, 328, 116, 335, paletteColour(4));
    canvas.box(93, 328, 116, 335, paletteColour(0));
}

QColor hoseOutline() {
    return paletteColour(0);
}

QColor hoseBody() {
    return QColor(200, 150, 50);
}

QColor hoseHighlight() {
    return QColor(255, 200, 100);
}

void hose(Canvas& canvas, double cx, double cy, double start, double end,
          const std::array<int, 7>& radii, std::string_view colours) {
    for (std::size_t i = 0; i < radii.size(); ++i) {
        const char kind = i < colours.size() ? colours[i] : 'B';
        const QColor colour = kind == 'O'   ? hoseOutline()
                              : kind == 'H' ? hoseHighlight()
                                            : hoseBody();
        canvas.arc(cx, cy, radii[i], colour, start, end, 1.0);
    }
}

} // namespace alambix
