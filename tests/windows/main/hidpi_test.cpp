// The drawing on a screen of two device pixels per pixel (run with QT_SCALE_FACTOR=2): painted
// at that resolution, its one-pixel lines one device pixel wide and clean.
#include "assets/assets.h"
#include "support/drawinghelpers.h"
#include "windows/exercises/fichexo_window.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"

#include <QLabel>
#include <QTextEdit>

#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace alambix;
using alambix::testing::finerBlocks;

namespace {
// The box of the picture's painted (not transparent) pixels.
QRect paintedBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT
private slots:
    void drawsAtTheScreensResolution();
    void buttonPicturesAtTheScreensResolution();
};

void HiDpiTest::drawsAtTheScreensResolution() {
    DrawingSurface surface;
    surface.paintBackground();
    surface.drawSetup(SetupValues{}); // the invitation's text
    DessinWidget widget(surface);
    // Alone in its window it would take the focus, and wear its frame.
    widget.setFocusPolicy(Qt::NoFocus);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(widget.devicePixelRatioF(), 2.0);
    widget.grab();
    // A water line, drawn once the surface knows the screen: a known one-pixel line at x 261.
    surface.drawWaterLine(0, 0.5, 0, 1);
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), QSize(642, 980));
    // The copy, the export and the print keep the drawing's own size.
    QCOMPARE(surface.image().size(), QSize(321, 490));

    const QColor cyan(0, 255, 255);
    // One device pixel wide, of the line's own colour: not doubled, not blurred.
    for (int y : {2 * 390, 2 * 420 + 1}) {
        const QColor background = surface.image().pixelColor(250, y / 2);
        QCOMPARE(shown.pixelColor(521, y), background);
        QCOMPARE(shown.pixelColor(522, y), cyan);
        QCOMPARE(shown.pixelColor(523, y), background);
    }
    // Away from the line the background is the 1x one, device pixel for pixel.
    for (int y : {0, 300, 979})
        QCOMPARE(shown.pixelColor(4, y), surface.image().pixelColor(2, y / 2));

    // The text is drawn at the screen's resolution, not scaled up from the 321 x 490 picture.
    QVERIFY2(finerBlocks(shown) > 100, qPrintable(QString::number(finerBlocks(shown))));
}

void HiDpiTest::buttonPicturesAtTheScreensResolution() {
    QTemporaryDir dir;
    FeuilleP main(dir.path());
    const auto* nouveau = main.findChild<QToolButton*>(QStringLiteral("Command3"));
    QVERIFY(nouveau);
    const QImage icon = nouveau->icon().pixmap(nouveau->iconSize(), 2.0).toImage();
    QCOMPARE(icon.size(), nouveau->iconSize() * 2);
    QVERIFY(finerBlocks(icon) > 0);

    // The exercise window's pictures too: the drive, the lamps.
    auto* supertext = main.findChild<QTextEdit*>(QStringLiteral("supertext"));
    QVERIFY(supertext);
    Fichexo fichexo(ExerciseWorkspace{main.exercise(), *supertext, main.document(), *main.dessin(),
                                      main, [] {}, dir.path()});
    for (const char* name : {"Image1", "Image4_0"}) {
        const auto* label = fichexo.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(label, name);
        const QPixmap pixmap = label->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        QCOMPARE(pixmap.size(), QSize(64, 64));
        QVERIFY2(finerBlocks(pixmap.toImage()) > 0, name);
    }
    // The whole picture, twice as fine, not its top-left quarter twice as large.
    for (const char* resource : {":/icons/lamp-dark.svg", ":/icons/aide.svg"}) {
        const QRect sharp =
            paintedBox(renderPicture(QString::fromLatin1(resource), {32, 32}).toImage());
        const QRect plain =
            paintedBox(renderPicture(QString::fromLatin1(resource), {32, 32}, 1).toImage());
        QVERIFY2(qAbs(sharp.left() - 2 * plain.left()) <= 2 &&
                     qAbs(sharp.right() - 2 * plain.right() - 1) <= 2 &&
                     qAbs(sharp.top() - 2 * plain.top()) <= 2 &&
                     qAbs(sharp.bottom() - 2 * plain.bottom() - 1) <= 2,
                 resource);
    }
}

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
