// alambix-cli draw --labels and --black-white, run as a separate process.
#include "support/processes.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class DrawLabelsTest : public QObject {
    Q_OBJECT
private slots:
    void labelsTheDrawing() {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("fiche.png"));
        const Run run = runCli({"draw", "--click", "0,3,10,9,11", "--labels", "numbers",
                                "--black-white", "--output", png});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.at(0), QStringLiteral("name: Distillation"));
        static const QRegularExpression canvas(
            QStringLiteral("^canvas: (\\d+)x(\\d+) drawing at (\\d+),(\\d+)$"));
        const auto size = canvas.match(lines.at(3));
        QVERIFY2(size.hasMatch(), qPrintable(lines.at(3)));
        // The picture is the size the command says, wider than the drawing by its margins.
        const QImage image(png);
        QCOMPARE(image.size(), QSize(size.captured(1).toInt(), size.captured(2).toInt()));
        QVERIFY(image.width() > 321);
        static const QRegularExpression label(QStringLiteral(
            "^label: (\\d+) \\| ([a-z0-9-]+) \\| ([^|]+) \\| ([\\d.]+),([\\d.]+) \\| "
            "([\\d.]+),([\\d.]+),([\\d.]+),([\\d.]+)$"));
        QStringList parts;
        for (int i = 4; i < lines.size(); ++i) {
            const auto match = label.match(lines.at(i));
            QVERIFY2(match.hasMatch(), qPrintable(lines.at(i)));
            QCOMPARE(match.captured(1).toInt(), i - 3);
            parts << match.captured(2);
            // The answer key's name, even on the numbered sheet.
            if (match.captured(2) == QLatin1String("heater"))
                QCOMPARE(match.captured(3), QStringLiteral("Chauffe-ballon"));
        }
        parts.sort();
        QCOMPARE(parts, (QStringList{"0", "10", "11", "3", "9", "clamp", "heater", "jack", "stand",
                                     "tap", "water-in", "water-out"}));
        // Black and white: every pixel a grey.
        const QImage grey = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < grey.height(); ++y)
            for (int x = 0; x < grey.width(); ++x) {
                const QRgb p = grey.pixel(x, y);
                QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
            }
    }

    void svgKeepsTheNamesAsText() {
        QTemporaryDir dir;
        const QString svg = dir.filePath(QStringLiteral("reflux.svg"));
        const Run run = runCli({"draw", "--click", "3,8", "--labels", "names", "--output", svg});
        QCOMPARE(run.exitCode, 0);
        QFile file(svg);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.contains(QStringLiteral(">Réfrigérant à boules<")));
        QVERIFY(text.contains(QStringLiteral(">Entrée d'eau<")));
        QVERIFY(text.contains(QStringLiteral("<title>Chauffage à reflux</title>")));
        QVERIFY(!text.contains(QStringLiteral("Generated with Qt")));
        QVERIFY(text.contains(QStringLiteral("<linearGradient")));
    }

    void blackWhiteAloneKeepsTheDrawingsSize() {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("bw.png"));
        const Run run = runCli({"draw", "--click", "4,6", "--black-white", "--output", png});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count(QLatin1Char('\n')), 3);
        QCOMPARE(QImage(png).size(), QSize(321, 490));
    }

    void wrongArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown mode") << QStringList{"draw", "--labels", "letters"};
        QTest::newRow("no mode") << QStringList{"draw", "--labels"};
    }

    void wrongArguments() {
        QFETCH(QStringList, args);
        const Run run = runCli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains(QStringLiteral("--labels names|numbers")));
    }
};

QTEST_GUILESS_MAIN(DrawLabelsTest)
#include "drawlabels_test.moc"
