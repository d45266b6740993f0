// The canvas primitives cover exactly the pixels the drawing tables mean.

#include "drawing/paintercanvas.h"

#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <functional>
#include <numbers>

using namespace alambix;

namespace {
using Paint = std::function<void(Canvas&)>;

QImage paint(const Paint& draw) {
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PainterCanvas canvas(painter, image.width(), image.height(), Strokes::Pixels);
    draw(canvas);
    return image;
}

// Every pixel that is not white, as (x, y) pairs.
QList<QPoint> inked(const QImage& image) {
    QList<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) points.append(QPoint(x, y));
    return points;
}

QRect boundsOf(const QList<QPoint>& points) {
    QRect bounds;
    for (const QPoint& p : points)
        bounds |= QRect(p, QSize(1, 1));
    return bounds;
}
} // namespace

class CanvasTest : public QObject {
    Q_OBJECT
private slots:
    void coversExactly_data();
    void coversExactly();
    void arcRunsCounterClockwiseOnScreen_data();
    void arcRunsCounterClockwiseOnScreen();
    void smoothCurvesStayOnTheirPixels();
    void paletteColours();
};

void CanvasTest::coversExactly_data() {
    QTest::addColumn<Paint>("draw");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<int>("pixelCount");

    QTest::newRow("horizontal line keeps both ends")
        << Paint([](Canvas& c) { c.line(10, 20, 30, 20, Qt::black); })
        << QRect(QPoint(10, 20), QPoint(30, 20)) << 21;
    QTest::newRow("vertical line keeps both ends")
        << Paint([](Canvas& c) { c.line(22, 15, 22, 49, Qt::black); })
        << QRect(QPoint(22, 15), QPoint(22, 49)) << 35;
    QTest::newRow("line drawn backwards")
        << Paint([](Canvas& c) { c.line(30, 20, 10, 20, Qt::black); })
        << QRect(QPoint(10, 20), QPoint(30, 20)) << 21;
    QTest::newRow("one-point line")
        << Paint([](Canvas& c) { c.line(5, 6, 5, 6, Qt::black); }) << QRect(5, 6, 1, 1) << 1;
    QTest::newRow("box outline with both corners")
        << Paint([](Canvas& c) { c.box(20, 30, 25, 40, Qt::black); })
        << QRect(QPoint(20, 30), QPoint(25, 40)) << 2 * 6 + 2 * 9;
    QTest::newRow("box given by its other corners")
        << Paint([](Canvas& c) { c.box(25, 40, 20, 30, Qt::black); })
        << QRect(QPoint(20, 30), QPoint(25, 40)) << 2 * 6 + 2 * 9;
    QTest::newRow("flat box is a line")
        << Paint([](Canvas& c) { c.box(10, 15, 40, 15, Qt::black); })
        << QRect(QPoint(10, 15), QPoint(40, 15)) << 31;
    QTest::newRow("two-row box") << Paint([](Canvas& c) { c.box(10, 15, 40, 16, Qt::black); })
                                 << QRect(QPoint(10, 15), QPoint(40, 16)) << 62;
    QTest::newRow("filled box with both corners")
        << Paint([](Canvas& c) { c.filledBox(10, 450 - 400, 45, 455 - 400, Qt::black); })
        << QRect(QPoint(10, 50), QPoint(45, 55)) << 36 * 6;
    QTest::newRow("whole ellipse, r 30, aspect 1")
        << Paint([](Canvas& c) { c.ellipse(50, 50, 30, Qt::black, 1.0); })
        << QRect(QPoint(20, 20), QPoint(80, 80)) << -1;
    QTest::newRow("whole ellipse, vertical radius r x aspect")
        << Paint([](Canvas& c) { c.ellipse(50, 50, 40, Qt::black, 0.25); })
        << QRect(QPoint(10, 40), QPoint(90, 60)) << -1;
    QTest::newRow("lower half-ring of the funnel")
        << Paint([](Canvas& c) { c.arc(50, 50, 30, Qt::black, 3.14, 6.28, 0.2); })
        << QRect(QPoint(20, 49), QPoint(79, 56)) << -1; // 6.28 stops just short of x 80
}

void CanvasTest::coversExactly() {
    QFETCH(Paint, draw);
    QFETCH(QRect, bounds);
    QFETCH(int, pixelCount);
    const QList<QPoint> points = inked(paint(draw));
    QCOMPARE(boundsOf(points), bounds);
    if (pixelCount >= 0) QCOMPARE(points.size(), pixelCount);
}

void CanvasTest::arcRunsCounterClockwiseOnScreen_data() {
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<QPoint>("inked");
    QTest::addColumn<QPoint>("blank");

    // Centre (50, 50), r 30: 3 o'clock is (80, 50), 12 o'clock (50, 20) on screen.
    QTest::newRow("first quarter is the upper right")
        << 0.0 << 1.57 << QPoint(71, 29) << QPoint(71, 71);
    QTest::newRow("second quarter is the upper left")
        << 1.57 << 3.1416 << QPoint(29, 29) << QPoint(71, 29);
    QTest::newRow("lower half") << 3.14 << 6.28 << QPoint(50, 80) << QPoint(50, 20);
    QTest::newRow("end before start wraps through 3 o'clock")
        << 5.5 << 0.8 << QPoint(80, 50) << QPoint(20, 50);
}

void CanvasTest::arcRunsCounterClockwiseOnScreen() {
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(QPoint, inked);
    QFETCH(QPoint, blank);
    const QImage image = paint([&](Canvas& c) { c.arc(50, 50, 30, Qt::black, start, end, 1.0); });
    // The arc passes within a pixel of the expected point.
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            near = near || image.pixel(inked + QPoint(dx, dy)) == qRgb(0, 0, 0);
    QVERIFY2(near, "the arc misses the quarter it should cross");
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            QCOMPARE(image.pixel(blank + QPoint(dx, dy)), qRgb(255, 255, 255));
}

void CanvasTest::smoothCurvesStayOnTheirPixels() {
    const auto flatEllipse = [](bool smooth) {
        return paint([smooth](Canvas& c) {
            c.setSmooth(smooth);
            c.ellipse(50, 50, 35, Qt::black, 0.15);
            c.setSmooth(false);
            c.line(10, 90, 90, 90, Qt::black); // lines stay plain
        });
    };
    const QImage plain = flatEllipse(false);
    const QImage smooth = flatEllipse(true);
    // Smooth: shades of grey where the plain ellipse steps from one row to the next...
    int shades = 0;
    for (const QPoint& p : inked(smooth))
        if (smooth.pixel(p) != qRgb(0, 0, 0)) ++shades;
    QVERIFY2(shades > 20, qPrintable(QString::number(shades)));
    for (const QPoint& p : inked(plain))
        QCOMPARE(plain.pixel(p), qRgb(0, 0, 0));
    // ... within the same bounds, give or take a pixel.
    const QRect plainBounds = boundsOf(inked(plain));
    QVERIFY(plainBounds.adjusted(-1, -1, 1, 1).contains(boundsOf(inked(smooth))));
    QCOMPARE(smooth.pixel(50, 90), qRgb(0, 0, 0));
}

void CanvasTest::paletteColours() {
    QCOMPARE(paletteColour(0), QColor(0, 0, 0));
    QCOMPARE(paletteColour(4), QColor(128, 0, 0));
    QCOMPARE(paletteColour(7), QColor(192, 192, 192));
    QCOMPARE(paletteColour(8), QColor(128, 128, 128));
    QCOMPARE(paletteColour(9), QColor(0, 0, 255));
    QCOMPARE(paletteColour(11), QColor(0, 255, 255));
    QCOMPARE(paletteColour(15), QColor(255, 255, 255));
}

QTEST_MAIN(CanvasTest)
#include "canvas_test.moc"
