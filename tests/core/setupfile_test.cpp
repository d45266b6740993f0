// Set-up files without a window: bytes written, hostile files read, names composed.
#include "core/setupfile.h"
#include "core/setupmodel.h"
#include "support/files.h"
#include "support/processes.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace alambix;

namespace {
void clickAll(SetupModel& model, const QList<int>& clicks) {
    for (int index : clicks)
        QVERIFY2(model.click(index), "click refused");
}

SetupReadResult readBytes(const QByteArray& bytes) {
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return readSetup(buffer);
}
} // namespace

Q_DECLARE_METATYPE(SetupReadStatus)

class SetupFileTest : public QObject {
    Q_OBJECT
private slots:
    void writesTheLayoutByteForByte();
    void roundTrip_data();
    void roundTrip();
    void reads_data();
    void reads();
    void readsFilesOnDisk();
    void savesOverAnExistingFile();
    void failedSaveLeavesNoTrace_data();
    void failedSaveLeavesNoTrace();
    void failedSaveKeepsTheOldFile();
    void composesPaths_data();
    void composesPaths();
};

void SetupFileTest::writesTheLayoutByteForByte() {
    SetupModel model;
    clickAll(model, {3, 9, 10, 11});
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(writeSetup(buffer, model.values()));
    QCOMPARE(data.size(), 256);
    QByteArray expected("\x0D\x00", 2);
    expected += "ALAMBIXSCHEMA";
    expected += QByteArray(113, '\0');
    expected += QByteArray("\x0E\x00", 2);
    expected += "00010000011100";
    expected += QByteArray(112, '\0');
    QCOMPARE(data, expected);
}

void SetupFileTest::roundTrip_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::newRow("nothing") << QList<int>{};
    QTest::newRow("distillation") << QList<int>{3, 9, 10, 11, 2};
    QTest::newRow("vacuum filtration") << QList<int>{4, 6};
    QTest::newRow("chromatography") << QList<int>{1, 12, 13};
    QTest::newRow("reflux") << QList<int>{3, 8};
    QTest::newRow("decantation") << QList<int>{7, 0};
}

void SetupFileTest::roundTrip() {
    QFETCH(QList<int>, clicks);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    SetupModel saved;
    clickAll(saved, clicks);
    const QString path = dir.filePath(QStringLiteral("montage.C03"));
    QVERIFY(writeSetupFile(path, saved.values()));

    const SetupReadResult read = readSetupFile(path);
    QCOMPARE(read.status, SetupReadStatus::Ok);
    SetupModel loaded;
    applySetup(loaded, valuesFromFlags(read.flags));
    QCOMPARE(setupText(loaded.values()), setupText(saved.values()));
    QCOMPARE(setupText(loaded.enabledStates()), setupText(saved.enabledStates()));
}

void SetupFileTest::reads_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SetupReadStatus>("status");
    // Element values after applying the file to a model with nothing on.
    QTest::addColumn<QString>("loaded");
    const QString none(14, QLatin1Char('0'));
    using S = SetupReadStatus;

    QTest::newRow("0 bytes") << QByteArray() << S::NotASetupFile << none;
    QTest::newRow("1 byte") << QByteArray("\x0D") << S::NotASetupFile << none;
    QTest::newRow("signature cut short")
        << record(13, "ALAMBIX", false) << S::NotASetupFile << none;
    QTest::newRow("lower-case signature")
        << record("alambixschema") + record("00010000000000") << S::NotASetupFile << none;
    QTest::newRow("space-led signature")
        << record(" ALAMBIXSCHEMA") + record("00010000000000") << S::NotASetupFile << none;
    QTest::newRow("space-ended signature")
        << record("ALAMBIXSCHEMA ") + record("00010000000000") << S::NotASetupFile << none;
    QTest::newRow("signature length one short")
        << record(12, "ALAMBIXSCHEMA") + record("00010000000000") << S::NotASetupFile << none;
    QTest::newRow("signature with 0x80-0x9F bytes") << record("ALAMBIX\x80\x9F"
                                                              "CHEMA") +
                                                           record("00010000000000")
                                                    << S::NotASetupFile << none;
    QTest::newRow("signature length 127") << record(127, "ALAMBIXSCHEMA") << S::ReadError << none;
    QTest::newRow("signature length 65535")
        << record(65535, "ALAMBIXSCHEMA") << S::ReadError << none;
    QTest::newRow("flags length 127")
        << signatureRecord() + record(127, "00010000000000") << S::ReadError << none;
    QTest::newRow("flags length 65535")
        << signatureRecord() + record(65535, "00010000000000") << S::ReadError << none;
    QTest::newRow("missing record 2") << signatureRecord() << S::Ok << none;
    QTest::newRow("signature without padding, no record 2")
        << record("ALAMBIXSCHEMA", false) << S::Ok << none;
    QTest::newRow("ends after byte 143")
        << setupBytes("00010000010000", false) << S::Ok << QStringLiteral("00010000010000");
    QTest::newRow("padding full of bytes")
        << record("ALAMBIXSCHEMA", false) + QByteArray(113, '\xAA') +
               record("00010000010000", false) + QByteArray(112, '1')
        << S::Ok << QStringLiteral("00010000010000");
    QTest::newRow("four flags") << setupBytes("0001") << S::Ok << QStringLiteral("00010000000000");
    QTest::newRow("twenty flags") << setupBytes("01000000000000111111") << S::Ok
                                  << QStringLiteral("01000000000000");
    QTest::newRow("space then 1") << setupBytes(" 1") << S::Ok << QStringLiteral("10000000000000");
    QTest::newRow("trailing spaces")
        << setupBytes("0001     ") << S::Ok << QStringLiteral("00010000000000");
    QTest::newRow("space inside counts as 0")
        << setupBytes("0 01") << S::Ok << QStringLiteral("00010000000000");
    QTest::newRow("other digits and letters")
        << setupBytes("2x9Y1A00000000") << S::Ok << QStringLiteral("00001000000000");
    QTest::newRow("tab is not trimmed")
        << setupBytes("\t1") << S::Ok << QStringLiteral("01000000000000");
    QTest::newRow("bytes 0x80-0x9F as flags")
        << setupBytes("\x80\x91\x9F\x31") << S::Ok << QStringLiteral("00010000000000");
    QTest::newRow("three receivers: the last wins")
        << setupBytes("11100000000000") << S::Ok << QStringLiteral("00100000000000");
    QTest::newRow("thermometer without column") << setupBytes("00000000000100") << S::Ok << none;
    QTest::newRow("Buchner without vacuum flask") << setupBytes("00000010000000") << S::Ok << none;
    QTest::newRow("vacuum flask after flask and condenser")
        << setupBytes("00011000010000") << S::Ok << QStringLiteral("00000000010000");
    QTest::newRow("column after bulb condenser")
        << setupBytes("00000000101000") << S::Ok << QStringLiteral("00000000001000");
    QTest::newRow("plate and lid on a beaker")
        << setupBytes("01000000000011") << S::Ok << QStringLiteral("01000000000011");
    QTest::newRow("lid without plate")
        << setupBytes("01000000000001") << S::Ok << QStringLiteral("01000000000000");
}

void SetupFileTest::reads() {
    QFETCH(QByteArray, bytes);
    QFETCH(SetupReadStatus, status);
    QFETCH(QString, loaded);
    const SetupReadResult result = readBytes(bytes);
    QCOMPARE(result.status, status);
    SetupModel model;
    if (result.status == SetupReadStatus::Ok) applySetup(model, valuesFromFlags(result.flags));
    QCOMPARE(setupText(model.values()), loaded);
}

void SetupFileTest::readsFilesOnDisk() {
    QTemporaryDir dir;
    QCOMPARE(readSetupFile(dir.filePath(QStringLiteral("absent.C03"))).status,
             SetupReadStatus::NotASetupFile);
    QCOMPARE(readSetupFile(dir.path()).status, SetupReadStatus::ReadError);
    const QString path = dir.filePath(QStringLiteral("lecture.C03"));
    QVERIFY(putFile(path, setupBytes("00100000000000")));
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const SetupReadResult read = readSetupFile(path);
    QCOMPARE(read.status, SetupReadStatus::Ok);
    QCOMPARE(read.flags, QStringLiteral("00100000000000"));
}

void SetupFileTest::savesOverAnExistingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.C03"));
    QVERIFY(putFile(path, QByteArray(1000, '\x42')));
    SetupModel model;
    clickAll(model, {0});
    QVERIFY(writeSetupFile(path, model.values()));
    QCOMPARE(fileBytes(path), setupBytes("10000000000000"));
}

void SetupFileTest::failedSaveLeavesNoTrace_data() {
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << QStringLiteral("absent/montage.C03");
    QTest::newRow("folder is a regular file") << QStringLiteral("plain.txt/montage.C03");
    QTest::newRow("target is a folder") << QStringLiteral("dossier.C03");
    QTest::newRow("empty path") << QString();
}

void SetupFileTest::failedSaveLeavesNoTrace() {
    QFETCH(QString, relativePath);
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath(QStringLiteral("plain.txt")), "texte"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dossier.C03")));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const QString path = relativePath.isEmpty() ? QString() : dir.filePath(relativePath);
    SetupModel model;
    QVERIFY(!writeSetupFile(path, model.values()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QCOMPARE(fileBytes(dir.filePath(QStringLiteral("plain.txt"))), QByteArray("texte"));
}

void SetupFileTest::failedSaveKeepsTheOldFile() {
    // The old file must survive a save that cannot complete: here the file system takes no
    // file past its first record, as a full disk or a quota would (root included).
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ancien.C03"));
    const QByteArray old = setupBytes("00010000010000");
    QVERIFY(putFile(path, old));
    SetupModel model;
    clickAll(model, {1});
    {
        const FileSizeLimit limit(128);
        QVERIFY(limit.isSet());
        QVERIFY(!writeSetupFile(path, model.values()));
    }
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"ancien.C03"});

    // A read-only file is not replaced by a user the system does not let write it. Root may
    // write anything: run as root, the save is made by a child that is an ordinary user.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    if (geteuid() != 0) {
        QVERIFY(!writeSetupFile(path, model.values()));
    } else {
        const uid_t nobody = 65534;
        QVERIFY(chown(qPrintable(dir.path()), nobody, nobody) == 0);
        QVERIFY(chown(qPrintable(path), nobody, nobody) == 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            const bool dropped = setgid(nobody) == 0 && setuid(nobody) == 0;
            _exit(!dropped ? 3 : writeSetupFile(path, model.values()) ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0); // 1: the save went through, 3: still root
    }
    QCOMPARE(fileBytes(path), old);
}

void SetupFileTest::composesPaths_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");
    const QString f = QStringLiteral("/home/eleve/Montages");
    QTest::newRow("plain name") << "essai" << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("our suffix") << "essai.C03" << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("other suffix") << "essai.txt" << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("two dots keep the part before the first")
        << "essai.v2.txt" << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("spaces around") << "   essai  " << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("space before the suffix")
        << "essai .C03" << f << "/home/eleve/Montages/essai.C03";
    QTest::newRow("space inside kept") << "mon essai" << f << "/home/eleve/Montages/mon essai.C03";
    QTest::newRow("folder is the root") << "essai"
                                        << "/"
                                        << "/essai.C03";
    QTest::newRow("folder ending with a slash") << "essai"
                                                << "/tmp/"
                                                << "/tmp/essai.C03";
    QTest::newRow("full path ignores the folder")
        << "/tmp/autre/essai.C03" << f << "/tmp/autre/essai.C03";
    QTest::newRow("dot in a folder name stays")
        << "/tmp/projet.v2/essai.C03" << f << "/tmp/projet.v2/essai.C03";
    QTest::newRow("dot in a folder, none in the name")
        << "/tmp/projet.v2/essai" << f << "/tmp/projet.v2/essai.C03";
    QTest::newRow("relative path goes under the folder")
        << "sous/essai.txt" << f << "/home/eleve/Montages/sous/essai.C03";
    QTest::newRow("empty") << "" << f << "";
    QTest::newRow("only spaces") << "    " << f << "";
    QTest::newRow("spaces and a suffix") << "   .C03" << f << "";
    QTest::newRow("only dots") << "..." << f << "";
    QTest::newRow("folder without a name") << "/tmp/projet.v2/" << f << "";
    QTest::newRow("folder and a suffix only") << "/tmp/projet/ .C03" << f << "";
}

void SetupFileTest::composesPaths() {
    QFETCH(QString, typed);
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QCOMPARE(composeSetupPath(typed, folder), path);
}

QTEST_GUILESS_MAIN(SetupFileTest)
#include "setupfile_test.moc"
