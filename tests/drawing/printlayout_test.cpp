// Page placement of the printed drawing and the print job, on a PDF writer.
#include "support/pdfpages.h"

#include "drawing/printlayout.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

namespace {
SetupValues distillation() {
    SetupValues values{};
    values[Ballon] = values[ColonneDeVigreux] = values[RefrigerantDroit] = true;
    values[Thermometre] = values[Erlenmeyer] = true;
    return values;
}
} // namespace

class PrintLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<QSizeF>("drawable");
        QTest::addColumn<double>("dpiX");
        QTest::addColumn<double>("dpiY");
        QTest::addColumn<bool>("centreH");
        QTest::addColumn<bool>("centreV");
        QTest::addColumn<bool>("miniature");
        QTest::addColumn<QRectF>("expected");

        // A4 without margins at 1200 dpi: 9921 x 14031 pixels; the drawing is 3.34375 x
        // 5.104 inches, 4012.5 x 6125 pixels.
        const QSizeF a4(9921, 14031);
        QTest::newRow("centred") << a4 << 1200.0 << 1200.0 << true << true << false
                                 << QRectF(2954.25, 3953, 4012.5, 6125);
        QTest::newRow("left, top") << a4 << 1200.0 << 1200.0 << false << false << false
                                   << QRectF(992.1, 701.55, 4012.5, 6125);
        QTest::newRow("centred across only") << a4 << 1200.0 << 1200.0 << true << false << false
                                             << QRectF(2954.25, 701.55, 4012.5, 6125);
        QTest::newRow("centred down only") << a4 << 1200.0 << 1200.0 << false << true << false
                                           << QRectF(992.1, 3953, 4012.5, 6125);
        // One printer pixel per drawing pixel.
        QTest::newRow("miniature centred")
            << a4 << 1200.0 << 1200.0 << true << true << true << QRectF(4800, 6770.5, 321, 490);
        // Unequal resolutions keep the physical size on each axis.
        QTest::newRow("600 x 300 dpi") << QSizeF(4800, 3300) << 600.0 << 300.0 << true << true
                                       << false << QRectF(1396.875, 884.375, 2006.25, 1531.25);
        // At screen resolution the print is the screen's pixels.
        QTest::newRow("96 dpi") << QSizeF(794, 1123) << 96.0 << 96.0 << true << true << false
                                << QRectF(236.5, 316.5, 321, 490);
    }

    void placement() {
        QFETCH(QSizeF, drawable);
        QFETCH(double, dpiX);
        QFETCH(double, dpiY);
        QFETCH(bool, centreH);
        QFETCH(bool, centreV);
        QFETCH(bool, miniature);
        QFETCH(QRectF, expected);
        PrintOptions options;
        options.centreHorizontally = centreH;
        options.centreVertically = centreV;
        options.miniature = miniature;
        const QRectF place = drawingPlacement(drawable, dpiX, dpiY, options);
        QVERIFY2(std::abs(place.x() - expected.x()) < 1e-6, qPrintable(QString::number(place.x())));
        QVERIFY2(std::abs(place.y() - expected.y()) < 1e-6, qPrintable(QString::number(place.y())));
        QCOMPARE(place.width(), expected.width());
        QCOMPARE(place.height(), expected.height());
    }

    void pagesPerCopy_data() {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("pages");
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("maximum") << MaximumCopies << MaximumCopies;
        // Out of range counts never reach the printer as such.
        QTest::newRow("zero prints one") << 0 << 1;
        QTest::newRow("too many") << 500 << MaximumCopies;
    }

    void pagesPerCopy() {
        QFETCH(int, copies);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("job.pdf"));
        {
            QPdfWriter writer(path);
            writer.setResolution(300);
            PrintOptions options;
            options.copies = copies;
            QCOMPARE(printDrawing(writer, distillation(), options), PrintResult::Printed);
        }
        QCOMPARE(printtest::countPdfPages(path), pages);
    }

    void everyPageHoldsTheDrawing() {
        if (!printtest::canRender()) QSKIP("pdftoppm is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("job.pdf"));
        {
            QPdfWriter writer(path);
            writer.setResolution(600);
            writer.setPageMargins(QMarginsF(0, 0, 0, 0));
            PrintOptions options;
            options.copies = 2;
            QCOMPARE(printDrawing(writer, distillation(), options), PrintResult::Printed);
        }
        for (int page = 1; page <= 2; ++page) {
            const QImage image =
                printtest::renderPage(path, page, dir.filePath(QStringLiteral("page")));
            QVERIFY(!image.isNull());
            const QRect box = printtest::gradientBox(image);
            // Physical size: the drawing's 321 pixels at 96 dpi stay 321 pixels at 96 dpi.
            QVERIFY2(std::abs(box.width() - 321) <= 1, qPrintable(QString::number(box.width())));
            QVERIFY(printtest::darkPixels(image) > 500);
        }
    }

    void unusableDeviceIsReported() {
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("missing/folder/job.pdf")));
        QCOMPARE(printDrawing(writer, distillation(), PrintOptions()), PrintResult::NotStarted);
    }
};

QTEST_GUILESS_MAIN(PrintLayoutTest)
#include "printlayout_test.moc"
