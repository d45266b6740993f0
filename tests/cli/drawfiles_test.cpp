// alambix-cli draw --load and --save, run as a separate process.
#include "support/files.h"
#include "support/processes.h"

#include <QTemporaryDir>
#include <QTest>

class DrawFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void savesAndLoadsBack_data();
    void savesAndLoadsBack();
    void loadThenClicksThenSave();
    void loadFailures_data();
    void loadFailures();
    void saveFailures_data();
    void saveFailures();

private:
    QTemporaryDir m_dir;
};

void DrawFilesTest::initTestCase() {
    QVERIFY2(QFile::exists(qEnvironmentVariable("ALAMBIX_CLI")), "ALAMBIX_CLI is not set");
    QVERIFY(m_dir.isValid());
}

void DrawFilesTest::savesAndLoadsBack_data() {
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QByteArray>("flags");
    QTest::newRow("distillation, full name") << "3,9,10,11,2"
                                             << "%1/dist.C03"
                                             << "dist.C03" << QByteArray("00110000011100");
    QTest::newRow("suffix replaced") << "4,6"
                                     << "%1/vide.txt"
                                     << "vide.C03" << QByteArray("00001010000000");
    QTest::newRow("bare name in the current folder")
        << "1,12,13"
        << "chromato"
        << "chromato.C03" << QByteArray("01000000000011");
}

void DrawFilesTest::savesAndLoadsBack() {
    QFETCH(QString, clicks);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(QByteArray, flags);
    if (typed.contains(QLatin1String("%1"))) typed = typed.arg(m_dir.path());
    const Run save =
        runCli({"draw", "--click", clicks, "--save", typed}, RLIM_INFINITY, m_dir.path());
    QCOMPARE(save.exitCode, 0);
    QVERIFY2(!save.err.contains(QLatin1String("impossible")), qPrintable(save.err));
    const QString path = m_dir.filePath(saved);
    QCOMPARE(fileBytes(path), setupBytes(flags));

    const Run load = runCli({"draw", "--load", path});
    QCOMPARE(load.exitCode, 0);
    QCOMPARE(load.out, save.out);
    QVERIFY(load.out.contains(QStringLiteral("elements: ") + QString::fromLatin1(flags)));
}

void DrawFilesTest::loadThenClicksThenSave() {
    const QString in = m_dir.filePath(QStringLiteral("entree.C03"));
    QVERIFY(putFile(in, setupBytes("00010000100000", false)));
    const QString out = m_dir.filePath(QStringLiteral("sortie.C03"));
    const Run run = runCli({"draw", "--load", in, "--click", "10,11", "--save", out});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.contains(QStringLiteral("elements: 00010000001100\n")));
    QVERIFY(run.out.contains(QStringLiteral("enabled: 11111101111100\n")));
    QCOMPARE(fileBytes(out), setupBytes("00010000001100"));
}

void DrawFilesTest::loadFailures_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty name: no file at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing file") << QByteArray("<none>")
                                  << "Nom de fichier incorrect ou chemin non valide";
    QTest::newRow("0 bytes") << QByteArray() << "Ce fichier ne correspond pas à cette application";
    QTest::newRow("wrong case") << record("alambixschema") + record("1")
                                << "Ce fichier ne correspond pas à cette application";
    QTest::newRow("length 127") << record(127, "ALAMBIXSCHEMA") << "Lecture impossible sur disque";
    QTest::newRow("flags length 65535")
        << signatureRecord() + record(65535, "1") << "Lecture impossible sur disque";
}

void DrawFilesTest::loadFailures() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString path =
        m_dir.filePath(QStringLiteral("charge-%1.C03").arg(QTest::currentDataTag()));
    if (bytes != "<none>") QVERIFY(putFile(path, bytes));
    const QString out = m_dir.filePath(QStringLiteral("jamais.C03"));
    const Run run = runCli({"draw", "--load", path, "--save", out});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(out));
}

void DrawFilesTest::saveFailures_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing folder") << "%1/absent/x"
                                    << "Ecriture impossible sur disque";
    QTest::newRow("folder is a file") << "%1/plain.txt/x"
                                      << "Ecriture impossible sur disque";
    QTest::newRow("no name") << "%1/ .C03"
                             << "Il faut donner un nom au fichier!";
}

void DrawFilesTest::saveFailures() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QVERIFY(putFile(m_dir.filePath(QStringLiteral("plain.txt")), "texte"));
    const Run run = runCli({"draw", "--click", "0", "--save", typed.arg(m_dir.path())});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(fileBytes(m_dir.filePath(QStringLiteral("plain.txt"))), QByteArray("texte"));
}

QTEST_GUILESS_MAIN(DrawFilesTest)
#include "drawfiles_test.moc"
