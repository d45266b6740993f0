// The drawing surface: gradient background, invitation, clearing and the pump's water.

#include "support/drawinghelpers.h"

#include "drawing/setupdrawing.h"

#include <QTest>

using namespace alambix;
using namespace alambix::testing;

namespace {
// Pixels of the invitation's blue in the rows of the two text lines.
int invitationPixels(const QImage& image) {
    int count = 0;
    for (int y = 95; y < 160; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255)) ++count;
    return count;
}
} // namespace

class SurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void gradientRuns_data();
    void gradientRuns();
    void invitationOnlyWhenNothingIsOn_data();
    void invitationOnlyWhenNothingIsOn();
    void invitationIsCentredWithShadow();
    void redrawStartsFromTheBackground();
    void withoutBackgroundTheBackColourShows();
    void waterLine_data();
    void waterLine();
    void screenCopyAtRatioAndZoom_data();
    void screenCopyAtRatioAndZoom();
    void axisIsAThirdOfTheWidth_data();
    void axisIsAThirdOfTheWidth();
};

void SurfaceTest::gradientRuns_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("first row") << 0 << QColor(255, 200, 155);
    // i / 490 x 100 + 155 = 205 and x 55 + 200 = 227.5, which goes to the even 228.
    QTest::newRow("middle row, half to even") << 245 << QColor(255, 228, 205);
    QTest::newRow("last row is white") << DrawingHeight - 1 << QColor(255, 255, 255);
}

void SurfaceTest::gradientRuns() {
    QFETCH(int, row);
    QFETCH(QColor, colour);
    DrawingSurface surface;
    surface.paintBackground();
    QVERIFY(surface.hasBackground());
    for (int x : {0, 160, DrawingWidth - 1})
        QCOMPARE(QColor(surface.image().pixel(x, row)), colour);
}

void SurfaceTest::invitationOnlyWhenNothingIsOn_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<bool>("shown");
    QTest::newRow("start-up") << QList<int>{} << true;
    QTest::newRow("an element on") << QList<int>{2} << false;
    QTest::newRow("on, then off again") << QList<int>{2, 2} << true;
    QTest::newRow("Nouveau-like: everything clicked off") << QList<int>{1, 12, 1} << true;
    QTest::newRow("a set-up") << QList<int>{3, 8} << false;
}

void SurfaceTest::invitationOnlyWhenNothingIsOn() {
    QFETCH(QList<int>, clicks);
    QFETCH(bool, shown);
    const int pixels = invitationPixels(drawingAfterClicks(clicks));
    if (shown)
        QVERIFY2(pixels > 200, qPrintable(QString::number(pixels)));
    else
        QCOMPARE(pixels, 0);
}

void SurfaceTest::invitationIsCentredWithShadow() {
    const QImage image = drawingAfterClicks({});
    QRect blue;
    int whiteBelowRight = 0;
    for (int y = 95; y < 160; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0, 0, 255)) {
                blue |= QRect(x, y, 1, 1);
                if (image.pixel(x + 1, y + 1) == qRgb(255, 255, 255)) ++whiteBelowRight;
            }
    // Two lines, the first from y 100, the second from y 130, across the middle of the drawing.
    QVERIFY2(blue.top() >= 100 && blue.top() <= 106, qPrintable(QString::number(blue.top())));
    QVERIFY(blue.bottom() > 135 && blue.bottom() < 160);
    QVERIFY2(std::abs(blue.left() + blue.right() - (DrawingWidth - 1)) <= 6,
             qPrintable(QStringLiteral("%1..%2").arg(blue.left()).arg(blue.right())));
    QVERIFY(whiteBelowRight > 20);
}

void SurfaceTest::redrawStartsFromTheBackground() {
    DrawingSurface surface;
    surface.paintBackground();
    const QImage bare = surface.image();
    surface.drawSetup(setupAfterClicks({4}));
    QVERIFY(surface.image() != bare);
    surface.drawWaterLine(0.1, 0.9, 0.5, 0.9);
    // Switching everything off: only the background and the invitation remain.
    surface.drawSetup(SetupValues{});
    QCOMPARE(surface.image().pixel(266, 450), bare.pixel(266, 450));
    QCOMPARE(surface.image().pixel(22, 300), bare.pixel(22, 300));
}

void SurfaceTest::withoutBackgroundTheBackColourShows() {
    DrawingSurface surface;
    surface.paintBackground();
    surface.removeBackground();
    QVERIFY(!surface.hasBackground());
    surface.drawSetup(setupAfterClicks({3}));
    QCOMPARE(QColor(surface.image().pixel(300, 10)), DrawingSurface::backColour());
    QCOMPARE(QColor(surface.image().pixel(22, 300)), QColor(255, 255, 255));
    QCOMPARE(QColor(surface.image().pixel(21, 300)), QColor(192, 192, 192));
}

void SurfaceTest::waterLine_data() {
    QTest::addColumn<QList<double>>("r");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("cyan, x half to even up")
        << QList<double>{0.5, 0.1, 0.25, 0.7} << 264 << 392 << 436 << QColor(0, 255, 255);
    QTest::newRow("grey when r4 rounds to 0 (half to even)")
        << QList<double>{0.0, 0.999, 0.05, 0.5} << 262 << 381 << 491 << QColor(200, 210, 220);
    QTest::newRow("one pixel") << QList<double>{0.3, 0.3, 0.0, 0.9} << 261 << 414 << 414
                               << QColor(0, 255, 255);
}

void SurfaceTest::waterLine() {
    QFETCH(QList<double>, r);
    QFETCH(int, x);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QColor, colour);
    DrawingSurface surface;
    surface.drawSetup(SetupValues{});
    const QImage before = surface.image();
    surface.drawWaterLine(r[0], r[1], r[2], r[3]);
    const QImage& after = surface.image();
    for (int y = top; y <= std::min(bottom, DrawingHeight - 1); ++y)
        QCOMPARE(QColor(after.pixel(x, y)), colour);
    if (top > 0) QCOMPARE(after.pixel(x, top - 1), before.pixel(x, top - 1));
    if (bottom + 1 < DrawingHeight)
        QCOMPARE(after.pixel(x, bottom + 1), before.pixel(x, bottom + 1));
    QCOMPARE(after.pixel(x - 1, top), before.pixel(x - 1, top));
    QCOMPARE(after.pixel(x + 1, top), before.pixel(x + 1, top));
}

// The screen's copy: a one-pixel line is one device pixel wide on a finer screen, and grows
// with the drawing when it is zoomed; the 1x image stays for copy, export and print.
void SurfaceTest::screenCopyAtRatioAndZoom_data() {
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("zoom");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("lineWidth"); // in device pixels; 0: no copy, the 1x image itself
    QTest::newRow("plain screen") << 1.0 << 1.0 << QSize(321, 490) << 0;
    QTest::newRow("finer screen") << 2.0 << 1.0 << QSize(642, 980) << 1;
    QTest::newRow("zoomed twice") << 1.0 << 2.0 << QSize(642, 980) << 2;
    QTest::newRow("finer screen, zoomed twice") << 2.0 << 2.0 << QSize(1284, 1960) << 4;
    // A line one and a half device pixels wide, unsmoothed, covers one pixel's middle.
    QTest::newRow("zoomed by a fraction") << 1.0 << 1.5 << QSize(482, 735) << 1;
    QTest::newRow("zoomed three times") << 1.0 << 3.0 << QSize(963, 1470) << 3;
}

void SurfaceTest::screenCopyAtRatioAndZoom() {
    QFETCH(double, ratio);
    QFETCH(double, zoom);
    QFETCH(QSize, size);
    QFETCH(int, lineWidth);
    DrawingSurface surface;
    surface.paintBackground();
    surface.drawSetup(SetupValues{});
    surface.setScreenRatio(ratio, zoom);
    surface.drawWaterLine(0, 0.5, 0, 1); // cyan, at x 261 from y 381 to 436
    const QImage& screen = surface.screenImage();
    QCOMPARE(screen.size(), size);
    QCOMPARE(surface.image().size(), QSize(DrawingWidth, DrawingHeight));
    if (lineWidth == 0) {
        QCOMPARE(&screen, &surface.image());
        return;
    }
    QCOMPARE(screen.devicePixelRatio(), ratio * zoom);
    const int y = qRound(400 * ratio * zoom);
    int cyan = 0;
    for (int x = 0; x < screen.width(); ++x)
        if (screen.pixel(x, y) == qRgb(0, 255, 255)) ++cyan;
    QCOMPARE(cyan, lineWidth);
}

void SurfaceTest::axisIsAThirdOfTheWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("axis");
    QTest::newRow("the drawing") << 321 << 107;
    QTest::newRow("rounds down") << 322 << 107;
    QTest::newRow("rounds up") << 323 << 108;
    QTest::newRow("wider surface") << 642 << 214;
}

void SurfaceTest::axisIsAThirdOfTheWidth() {
    QFETCH(int, width);
    QFETCH(int, axis);
    QCOMPARE(setupAxis(width), axis);
}

QTEST_MAIN(SurfaceTest)
#include "surface_test.moc"
