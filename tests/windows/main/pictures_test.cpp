// The pictures of the first window come pre-rendered by the build: the same pixels as the vector
// renderer gives, and the window needs nothing else (run also with QT_SCALE_FACTOR=2).
#include "assets/assets.h"
#include "assets/vectorpicture.h"
#include "windows/main/feuillep_window.h"

#include <QDirIterator>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

namespace {
QStringList vectorRenderings;

void recordRenderings(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (qstrcmp(context.category, "alambix.pictures") == 0) vectorRenderings << message;
}
} // namespace

class PicturesTest : public QObject {
    Q_OBJECT
private slots:
    void prerenderedAreTheVectorsPixels_data() {
        QTest::addColumn<QString>("resource");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("ratio");
        loadAssets();
        const QRegularExpression name(QStringLiteral("^:/prerendered/(.+)@(\\d+)x(\\d+)@(\\d)$"));
        QDirIterator entries(QStringLiteral(":/prerendered"), QDir::Files,
                             QDirIterator::Subdirectories);
        int rows = 0;
        while (entries.hasNext()) {
            const QRegularExpressionMatch match = name.match(entries.next());
            QVERIFY2(match.hasMatch(), qPrintable(entries.filePath()));
            QTest::newRow(qPrintable(entries.filePath()))
                << QStringLiteral(":/") + match.captured(1)
                << QSize(match.captured(2).toInt(), match.captured(3).toInt())
                << match.captured(4).toInt();
            ++rows;
        }
        QVERIFY(rows >= 20);
    }

    void prerenderedAreTheVectorsPixels() {
        QFETCH(QString, resource);
        QFETCH(QSize, size);
        QFETCH(int, ratio);
        const QImage vector = vectorPicture(resource, size, ratio);
        QVERIFY(!vector.isNull());

        vectorRenderings.clear();
        const QPixmap shown = renderPicture(resource, size, ratio);
        QVERIFY2(vectorRenderings.isEmpty(), "read from the build's pixels");
        QCOMPARE(shown.devicePixelRatio(), qreal(ratio));
        const QImage pixels = shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(pixels.size(), vector.size());
        QVERIFY(pixels == vector);
    }

    // Nothing in the first window goes through the vector renderer at the screen's ratio.
    void firstWindowNeedsNoVectorRendering() {
        QTemporaryDir folder;
        vectorRenderings.clear();
        FeuilleP window(folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(vectorRenderings.isEmpty(), qPrintable(vectorRenderings.join(u'\n')));
        // The log does report a picture the build did not render.
        renderPicture(QStringLiteral(":/icons/aide.svg"), QSize(21, 21));
        QCOMPARE(vectorRenderings.size(), 1);
        window.hide();
    }

    void initTestCase() {
        QLoggingCategory::setFilterRules(QStringLiteral("alambix.pictures.debug=true"));
        qInstallMessageHandler(recordRenderings);
    }
};

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
