// The black-and-white picture, on its pixels: greys only, a white ground, black outlines, liquids
// hatched, nothing a photocopier turns into grey mud.

#include "support/drawinghelpers.h"

#include "core/explain.h"
#include "drawing/picture.h"
#include "drawing/setupdrawing.h"

#include <QTest>

using namespace alambix;
using namespace alambix::testing;

namespace {
QImage blackWhite(const SetupValues& values, LabelMode labels = LabelMode::None) {
    const PictureOptions options{values, true, true, labels};
    return pictureImage(options, layoutLabels(values, labels));
}

// Light and dark runs along a row: hatching alternates, a flat fill does not.
int changes(const QImage& image, int y, int from, int to) {
    int count = 0;
    for (int x = from; x < to; ++x)
        if ((qGray(image.pixel(x, y)) < 128) != (qGray(image.pixel(x + 1, y)) < 128)) ++count;
    return count;
}
} // namespace

class MonochromeTest : public QObject {
    Q_OBJECT
private slots:
    void onlyGreysOnAWhiteGround() {
        // Every set-up, alone and numbered (the labels' text included): each pixel a grey, the
        // ground white, and no flat area of middle grey (edges smoothed to grey are fine).
        for (const SetupValues& values : reachableSetups()) {
            for (LabelMode labels : {LabelMode::None, LabelMode::Numbers}) {
                const QImage image = blackWhite(values, labels);
                const QString what = setupText(values);
                auto middle = [&image](int x, int y) {
                    const int grey = qRed(image.pixel(x, y));
                    return grey > 90 && grey < 200;
                };
                int flat = 0;
                int drawn = 0;
                for (int y = 0; y < image.height(); ++y) {
                    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                    for (int x = 0; x < image.width(); ++x) {
                        const QRgb p = line[x];
                        if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                            QFAIL(qPrintable(QStringLiteral("%1: %2 at %3,%4")
                                                 .arg(what, describe(p))
                                                 .arg(x)
                                                 .arg(y)));
                        if (qRed(p) < 250) ++drawn;
                        if (x > 0 && y > 0 && x + 1 < image.width() && y + 1 < image.height() &&
                            middle(x, y) && middle(x - 1, y) && middle(x + 1, y) &&
                            middle(x, y - 1) && middle(x, y + 1))
                            ++flat;
                    }
                }
                QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
                QCOMPARE(image.pixel(image.width() - 1, 0), qRgb(255, 255, 255));
                QVERIFY2(flat * 100 < drawn * 8, qPrintable(what));
            }
        }
    }

    void liquidsAreHatchedAndGlassOutlined() {
        // The beaker's water: a hatched band where the colour picture is blue.
        const SetupValues beaker = setupAfterClicks({Becher});
        const QImage colour = drawingAfterClicks({Becher}, false);
        const QImage image = blackWhite(beaker);
        const int y = 360 + 88;
        QVERIFY(qBlue(colour.pixel(107, y)) > qRed(colour.pixel(107, y)) + 30);
        QVERIFY2(changes(image, y, 57 + 20, 57 + 76) >= 20,
                 qPrintable(QString::number(changes(image, y, 77, 133))));
        // The glass has no fill: inside the beaker above the water is white; its wall is black.
        QCOMPARE(image.pixel(107, 360 + 60), qRgb(255, 255, 255));
        QVERIFY(qGray(image.pixel(57 + 16, 360 + 55)) < 80);

        // The pump's water column, and a separating funnel's two liquids hatched the two ways.
        const QImage pump = blackWhite(setupAfterClicks({FioleAVide}));
        QVERIFY(changes(pump, 450, 261, 271) >= 4);
        const QImage funnel = blackWhite(setupAfterClicks({AmpouleADecanter}));
        const int left = 107 - 25;
        const int top = 235 - 70;
        auto slope = [&funnel](int x, int row) {
            // Which neighbour below a dark pixel is dark too: left for "/", right for "\".
            int leftward = 0, rightward = 0;
            for (int dx = 0; dx < 12; ++dx)
                if (qGray(funnel.pixel(x + dx, row)) < 128) {
                    leftward += qGray(funnel.pixel(x + dx - 1, row + 1)) < 128;
                    rightward += qGray(funnel.pixel(x + dx + 1, row + 1)) < 128;
                }
            return rightward - leftward;
        };
        QVERIFY(slope(left + 18, top + 65) > 0); // the upper, yellow liquid: "\"
        QVERIFY(slope(left + 16, top + 97) < 0); // the lower, blue liquid: "/"
    }

    void noBackgroundAndTheSameDrawingAsInColour() {
        // Without labels it is the drawing's own frame, with labels the labelled picture's.
        const SetupValues values = setupAfterClicks({0, 3, 10, 9, 11});
        QCOMPARE(blackWhite(values).size(), QSize(DrawingWidth, DrawingHeight));
        QCOMPARE(blackWhite(values, LabelMode::Numbers).size(),
                 layoutLabels(values, LabelMode::Numbers).size);
        // The stand's outline is where the colour drawing has it.
        const QImage image = blackWhite(values);
        QVERIFY(qGray(image.pixel(20, 300)) < 80);
        QCOMPARE(image.pixel(22, 300), qRgb(255, 255, 255));
    }
};

QTEST_MAIN(MonochromeTest)
#include "monochrome_test.moc"
