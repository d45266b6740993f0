// The worksheet on paper and the print's title, read back from PDF files.
#include "support/drawinghelpers.h"
#include "support/pdfpages.h"

#include "drawing/worksheetpage.h"

#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;
using namespace alambix::testing;

namespace {
const QList<int> distillationClicks{0, 3, 10, 9, 11};

QString printSheet(const QTemporaryDir& dir, const WorksheetOptions& options) {
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    if (printWorksheet(writer, setupAfterClicks(distillationClicks), options) !=
        PrintResult::Printed)
        return QString();
    return path;
}
} // namespace

class WorksheetPageTest : public QObject {
    Q_OBJECT
private slots:
    void pagesAndWhatTheySay_data() {
        QTest::addColumn<int>("labels");
        QTest::addColumn<bool>("answerKey");
        QTest::addColumn<QStringList>("pages"); // words each page shows, "!" before a missing one
        QTest::newRow("numbers and answer key")
            << int(LabelMode::Numbers) << true
            << QStringList{"Distillation|Légender le schéma.|1.|12.|!Ballon|!Corrigé",
                           "Distillation|Corrigé|12.|Ballon|Chauffe-ballon|Sortie d'eau"};
        QTest::newRow("numbers alone")
            << int(LabelMode::Numbers) << false << QStringList{"Légender le schéma.|!Ballon"};
        QTest::newRow("names") << int(LabelMode::Names) << true
                               << QStringList{"Ballon|Entrée d'eau|!Légender|!Corrigé"};
        QTest::newRow("no labels")
            << int(LabelMode::None) << true << QStringList{"Distillation|!Ballon|!Légender"};
    }

    void pagesAndWhatTheySay() {
        QFETCH(int, labels);
        QFETCH(bool, answerKey);
        QFETCH(QStringList, pages);
        QTemporaryDir dir;
        WorksheetOptions options;
        options.title = QStringLiteral("Distillation");
        options.labels = LabelMode(labels);
        options.answerKey = answerKey;
        QCOMPARE(worksheetPageCount(options), int(pages.size()));
        const QString pdf = printSheet(dir, options);
        QVERIFY(!pdf.isEmpty());
        QCOMPARE(printtest::countPdfPages(pdf), int(pages.size()));
        for (int page = 1; page <= pages.size(); ++page) {
            const QString text = printtest::pageText(pdf, page);
            QVERIFY2(!text.isNull(), "pdftotext (poppler-utils) reads the printed file");
            for (const QString& word : pages.at(page - 1).split(QLatin1Char('|'))) {
                const bool absent = word.startsWith(QLatin1Char('!'));
                QVERIFY2(text.contains(absent ? word.mid(1) : word) != absent,
                         qPrintable(QStringLiteral("page %1: %2\n%3").arg(page).arg(word, text)));
            }
        }
    }

    void blackAndWhitePagesAreGrey() {
        if (!printtest::canRender()) QSKIP("pdftoppm is not installed");
        QTemporaryDir dir;
        WorksheetOptions options;
        options.title = QStringLiteral("Distillation");
        const QString pdf = printSheet(dir, options);
        for (int page = 1; page <= 2; ++page) {
            const QImage image =
                printtest::renderPage(pdf, page, dir.filePath(QStringLiteral("p%1").arg(page)));
            QVERIFY(!image.isNull());
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    QVERIFY2(std::abs(qRed(p) - qGreen(p)) <= 2 &&
                                 std::abs(qGreen(p) - qBlue(p)) <= 2,
                             qPrintable(describe(p)));
                    dark += qGray(p) < 100;
                }
            // The drawing is on the page, larger than on screen.
            QVERIFY(dark > 3000);
        }
    }

    void printTitleStandsOverTheDrawing() {
        if (!printtest::canRender()) QSKIP("pdftoppm is not installed");
        QTemporaryDir dir;
        QRect boxes[2];
        for (int titled = 0; titled < 2; ++titled) {
            const QString path = dir.filePath(QStringLiteral("t%1.pdf").arg(titled));
            {
                QPdfWriter writer(path);
                writer.setResolution(600);
                writer.setPageMargins(QMarginsF(0, 0, 0, 0));
                PrintOptions options;
                if (titled) options.title = QStringLiteral("Chauffage à reflux");
                QCOMPARE(printDrawing(writer, setupAfterClicks({3, 8}), options),
                         PrintResult::Printed);
            }
            QCOMPARE(printtest::pageText(path, 1).contains(QStringLiteral("Chauffage à reflux")),
                     bool(titled));
            const QImage page = printtest::renderPage(path, 1, dir.filePath(QStringLiteral("p")));
            boxes[titled] = printtest::gradientBox(page);
            int dark = 0;
            for (int y = boxes[titled].top() - 40; y < boxes[titled].top(); ++y)
                for (int x = boxes[titled].left(); x <= boxes[titled].right(); ++x)
                    dark += qGray(page.pixel(x, y)) < 100;
            QCOMPARE(dark > 50, bool(titled));
        }
        // The title and the drawing are centred together: the drawing moves down by half the
        // title's room.
        QCOMPARE(boxes[1].width(), boxes[0].width());
        QVERIFY(boxes[1].top() > boxes[0].top() + 8 && boxes[1].top() < boxes[0].top() + 30);
    }
};

QTEST_MAIN(WorksheetPageTest)
#include "worksheetpage_test.moc"
