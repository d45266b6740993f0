// Export of the drawing: PNG at its pixel size, SVG and PDF as vectors that stay sharp.

#include "support/drawinghelpers.h"
#include "support/files.h"
#include "support/processes.h"

#include "drawing/drawingexport.h"
#include "drawing/setupdrawing.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;
using namespace alambix::testing;

class ExportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writesEveryFormat_data();
    void writesEveryFormat();
    void pngIsTheScreenImage();
    void svgIsVectorAndStaysSharp();
    void svgKeepsTheInvitationAsText();
    void svgBackgroundIsOneGradientAndItsTitleNamesTheSetup();
    void pdfIsOnePageOfTheDrawingsSize();
    void unknownSuffixWritesNothing_data();
    void unknownSuffixWritesNothing();
    void failedWriteKeepsTheOldFile();

private:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
};

void ExportTest::initTestCase() {
    QVERIFY(m_dir.isValid());
}

void ExportTest::writesEveryFormat_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("signature");
    QTest::newRow("png") << "d.png" << QByteArray("\x89PNG");
    QTest::newRow("svg") << "d.svg" << QByteArray("<?xml");
    QTest::newRow("pdf") << "d.pdf" << QByteArray("%PDF");
    QTest::newRow("suffix in capitals") << "D.SVG" << QByteArray("<?xml");
}

void ExportTest::writesEveryFormat() {
    QFETCH(QString, name);
    QFETCH(QByteArray, signature);
    QCOMPARE(exportDrawing(setupAfterClicks({0, 3, 10, 9, 11}), true, path(name)),
             ExportResult::Written);
    const QByteArray bytes = fileBytes(path(name));
    QVERIFY(bytes.size() > 1000);
    QVERIFY(bytes.startsWith(signature));
}

void ExportTest::pngIsTheScreenImage() {
    const SetupValues values = setupAfterClicks({4, 6});
    QCOMPARE(exportDrawing(values, false, path("s.png")), ExportResult::Written);
    QImage image(path("s.png"));
    QCOMPARE(image.size(), QSize(DrawingWidth, DrawingHeight));
    DrawingSurface surface;
    surface.drawSetup(values);
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32), surface.image());
}

void ExportTest::svgIsVectorAndStaysSharp() {
    QCOMPARE(exportDrawing(setupAfterClicks({3, 8}), true, path("v.svg")), ExportResult::Written);
    const QByteArray svg = fileBytes(path("v.svg"));
    QVERIFY(svg.contains("viewBox=\"0 0 321 490\""));
    QVERIFY(svg.contains("<path") || svg.contains("<polyline") || svg.contains("<line"));
    // No raster picture of the drawing or of a piece of it.
    QVERIFY(!svg.contains("<image"));

    // Rendered back twice as large, the one-pixel lines of the stand are two crisp pixels.
    QSvgRenderer renderer(svg);
    QVERIFY(renderer.isValid());
    QImage big(2 * DrawingWidth, 2 * DrawingHeight, QImage::Format_RGB32);
    big.fill(Qt::black);
    {
        QPainter painter(&big);
        renderer.render(&painter, QRectF(big.rect()));
    }
    const int y = 2 * 300;
    QCOMPARE(QColor(big.pixel(2 * 20, y)), QColor(0, 0, 0));           // outline, x 20
    QCOMPARE(QColor(big.pixel(2 * 21 + 1, y)), QColor(192, 192, 192)); // rod, x 21
    QCOMPARE(QColor(big.pixel(2 * 22, y)), QColor(255, 255, 255));     // highlight, x 22
    QCOMPARE(QColor(big.pixel(2 * 22 + 1, y)), QColor(255, 255, 255));
    QCOMPARE(QColor(big.pixel(2 * 23, y)), QColor(192, 192, 192));
    QCOMPARE(QColor(big.pixel(2 * 24 + 1, y)), QColor(128, 128, 128)); // shadow, x 24
    // The joint's red, and the first gradient row.
    QCOMPARE(QColor(big.pixel(2 * 95, 2 * 331)), QColor(240, 50, 50));
    QCOMPARE(QColor(big.pixel(2 * 300, 0)), QColor(255, 200, 155));
    // The artwork is there too: the mantle's knob is dark.
    QVERIFY(qGray(big.pixel(2 * (47 + 86), 2 * (330 + 117))) < 80);
}

void ExportTest::svgKeepsTheInvitationAsText() {
    QCOMPARE(exportDrawing(SetupValues{}, true, path("i.svg")), ExportResult::Written);
    const QString svg = QString::fromUtf8(fileBytes(path("i.svg")));
    QVERIFY(svg.contains(QStringLiteral("Utiliser les boutons à gauche du")));
    QVERIFY(svg.contains(QStringLiteral("schéma pour réaliser le montage.")));
}

void ExportTest::svgBackgroundIsOneGradientAndItsTitleNamesTheSetup() {
    QCOMPARE(exportDrawing(setupAfterClicks({3, 8}), true, path("g.svg")), ExportResult::Written);
    QFile file(path("g.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    // One gradient, not a rectangle per row whose seams show in other programs.
    QCOMPARE(svg.count(QStringLiteral("<linearGradient")), 1);
    QVERIFY(svg.count(QStringLiteral("<rect")) < 60);
    QVERIFY(svg.contains(QStringLiteral("<title>Chauffage à reflux</title>")));
    QVERIFY(svg.contains(QStringLiteral("Ballon et chauffe ballon, Réfrigérant à boules.")));
    QVERIFY(!svg.contains(QStringLiteral("Generated with Qt")));
    // Rendered back, the gradient has the rows' colours.
    QSvgRenderer renderer(svg.toUtf8());
    QImage image(DrawingWidth, DrawingHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(image.rect()));
    }
    const QImage rows = drawingAfterClicks({});
    for (int y : {0, 120, 245, 489}) {
        const QRgb seen = image.pixel(315, y);
        const QRgb row = rows.pixel(315, y);
        QVERIFY2(std::abs(qGreen(seen) - qGreen(row)) <= 1 &&
                     std::abs(qBlue(seen) - qBlue(row)) <= 1,
                 qPrintable(describe(seen) + QStringLiteral(" / ") + describe(row)));
    }
}

void ExportTest::pdfIsOnePageOfTheDrawingsSize() {
    QCOMPARE(exportDrawing(setupAfterClicks({2, 7}), false, path("p.pdf")), ExportResult::Written);
    const QByteArray pdf = fileBytes(path("p.pdf"));
    QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "),
             1);
    // 321 x 490 pixels at 96 dpi are 240.75 x 367.5 points; the PDF page box is in whole points.
    const int box = pdf.indexOf("/MediaBox [");
    QVERIFY(box >= 0);
    const QList<QByteArray> numbers =
        pdf.mid(box + 11, pdf.indexOf(']', box) - box - 11).simplified().split(' ');
    QCOMPARE(numbers.size(), 4);
    QVERIFY(std::abs(numbers[2].toDouble() - 240.75) <= 0.5);
    QVERIFY(std::abs(numbers[3].toDouble() - 367.5) <= 0.5);
    QVERIFY(!pdf.contains("/Subtype /Image"));
}

void ExportTest::unknownSuffixWritesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("bmp") << "x.bmp";
    QTest::newRow("no suffix") << "x";
    QTest::newRow("set-up file") << "x.C03";
}

void ExportTest::unknownSuffixWritesNothing() {
    QFETCH(QString, name);
    QCOMPARE(exportDrawing(SetupValues{}, true, path(name)), ExportResult::UnknownFormat);
    QVERIFY(!QFile::exists(path(name)));
}

void ExportTest::failedWriteKeepsTheOldFile() {
    QCOMPARE(exportDrawing(SetupValues{}, true, path("missing-folder/x.svg")),
             ExportResult::WriteFailed);
    // A disk that takes no more than a kilobyte: the existing drawing stays as it was.
    const QString target = path("keep.pdf");
    QVERIFY(putFile(target, "old drawing"));
    {
        const FileSizeLimit limit(1024);
        QVERIFY(limit.isSet());
        QCOMPARE(exportDrawing(setupAfterClicks({3}), true, target), ExportResult::WriteFailed);
    }
    QCOMPARE(fileBytes(target), QByteArray("old drawing"));
}

QTEST_MAIN(ExportTest)
#include "export_test.moc"
