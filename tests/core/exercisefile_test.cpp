// Exercise files: the preview, the two document pairs and the case-insensitive name look-up.
#include "core/exercisefile.h"
#include "support/files.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

class ExerciseFileTest : public QObject {
    Q_OBJECT
private slots:
    void preview_data();
    void preview();
    void documentsKeepTheirNamesAsStored();
    void resolvesNamesInAnyCase();
};

void ExerciseFileTest::preview_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("corrected");
    QTest::addColumn<int>("lamps");
    QTest::addColumn<QString>("notions");
    QTest::addColumn<QString>("title");

    const QByteArray r1 = record("enonce.rtf");
    QTest::newRow("statement only, one record") << r1 << true << false << 0 << ""
                                                << "";
    QTest::newRow("empty file") << QByteArray() << true << false << 0 << ""
                                << "";
    QTest::newRow("full, level 3")
        << exerciseBytes({"e.rtf", "e.C03", "c.rtf", "c.C03", "3", "x", "Distillation, ",
                          "temp\xe9"
                          "rature",
                          "",
                          " \xe9"
                          "bullition",
                          "  Le montage \xe0 reflux  "})
        << true << true << 3 << QString::fromUtf8("Distillation, température ébullition")
        << QString::fromUtf8("Le montage à reflux");
    QTest::newRow("records 7 and 9 only, untrimmed")
        << exerciseBytes({"e", "", "", "", "1", "", " a ", "   ", "b ", ""}) << true << false << 1
        << " a b "
        << "";
    QTest::newRow("correction set-up without its text")
        << exerciseBytes({"e", "", "  ", "c.C03", "2"}) << true << true << 2 << ""
        << "";
    QTest::newRow("blank correction is not one")
        << exerciseBytes({"e", "", "   ", "  ", "0"}) << true << false << 0 << ""
        << "";
    QTest::newRow("level 2.5 lights three")
        << exerciseBytes({"e", "", "", "", "2.5"}) << true << false << 3 << ""
        << "";
    QTest::newRow("level read by its leading number")
        << exerciseBytes({"e", "", "", "", " 2 (moyen)"}) << true << false << 2 << ""
        << "";
    QTest::newRow("level without a number")
        << exerciseBytes({"e", "", "", "", "facile"}) << true << false << 0 << ""
        << "";
    QTest::newRow("negative level")
        << exerciseBytes({"e", "", "", "", "-2"}) << true << false << 0 << ""
        << "";
    QTest::newRow("damaged level record passed over")
        << (exerciseBytes({"e", "", "c", ""}) + record(300, "3") +
            exerciseBytes({"", "n", "", "", "", "T"}))
        << true << true << 0 << "n"
        << "T";
    QTest::newRow("damaged correction record")
        << (exerciseBytes({"e", ""}) + record(127, "c")) << false << false << 0 << ""
        << "";
}

void ExerciseFileTest::preview() {
    QFETCH(QByteArray, bytes);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    const auto preview = previewExercise(buffer);
    QFETCH(bool, readable);
    QCOMPARE(preview.has_value(), readable);
    if (!preview) return;
    QTEST(preview->corrected, "corrected");
    QTEST(preview->litLamps(), "lamps");
    QTEST(preview->notions, "notions");
    QTEST(preview->title, "title");
}

void ExerciseFileTest::documentsKeepTheirNamesAsStored() {
    QTemporaryDir dir;
    const QString path = dir.filePath("ex.E08");
    QVERIFY(putFile(path, exerciseBytes({" enonce.rtf", "montage.C03 ", "corrige.rtf", ""})));
    const auto statement = readStatement(path);
    QVERIFY(statement);
    QCOMPARE(statement->text, " enonce.rtf");
    QCOMPARE(statement->setup, "montage.C03 ");
    const auto correction = readCorrection(path);
    QVERIFY(correction);
    QCOMPARE(correction->text, "corrige.rtf");
    QCOMPARE(correction->setup, "");

    QVERIFY(!readStatement(dir.filePath("absent.E08")));
    QVERIFY(!previewExerciseFile(dir.filePath("absent.E08")));
    QVERIFY(!previewExerciseFile(dir.path())); // a folder is no exercise file
    QVERIFY(putFile(path, record(127, "x")));
    QVERIFY(!readStatement(path));
}

void ExerciseFileTest::resolvesNamesInAnyCase() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    QVERIFY(putFile(folder + "enonce1.rtf", "{\\rtf1}"));
    QVERIFY(putFile(folder + "Montage.C03", ""));
    QVERIFY(putFile(folder + "double.rtf", ""));
    QVERIFY(putFile(folder + "DOUBLE.rtf", ""));
    QCOMPARE(resolveInFolder(folder, "enonce1.rtf"), folder + "enonce1.rtf");
    QCOMPARE(resolveInFolder(folder, "ENONCE1.RTF"), folder + "enonce1.rtf");
    QCOMPARE(resolveInFolder(folder, "montage.c03"), folder + "Montage.C03");
    // Two names differing only in case: the one written is kept, found or not.
    QCOMPARE(resolveInFolder(folder, "Double.RTF"), folder + "Double.RTF");
    QCOMPARE(resolveInFolder(folder, "absent.rtf"), folder + "absent.rtf");
    QCOMPARE(resolveInFolder(folder, ""), folder);
}

QTEST_GUILESS_MAIN(ExerciseFileTest)
#include "exercisefile_test.moc"
