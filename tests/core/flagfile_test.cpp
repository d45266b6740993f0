// The flag file: record 12 only, nothing else touched, failures silent.
#include "core/flagfile.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

class FlagFileTest : public QObject {
    Q_OBJECT
private slots:
    void createsTheFile_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("running") << "OUI";
        QTest::newRow("ended") << "NON";
    }

    void createsTheFile() {
        QFETCH(QString, text);
        QTemporaryDir dir;
        QVERIFY(writeFlagFile(dir.path(), text));
        const QByteArray bytes = fileBytes(dir.filePath(QStringLiteral("TEMPO.SPC")));
        QCOMPARE(bytes.size(), 12 * 128);
        QCOMPARE(bytes.left(1408), QByteArray(1408, '\0'));
        QCOMPARE(bytes.mid(1408, 5), QByteArray("\x03\x00", 2) + text.toLatin1());
        QCOMPARE(bytes.mid(1413), QByteArray(123, '\0'));
    }

    void keepsEveryOtherByte() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TEMPO.SPC"));
        QByteArray before(2000, '\0');
        for (int i = 0; i < before.size(); ++i)
            before[i] = static_cast<char>('A' + i % 26);
        QVERIFY(putFile(path, before));
        QVERIFY(writeFlagFile(dir.path(), QStringLiteral("OUI")));
        QVERIFY(writeFlagFile(dir.path(), QStringLiteral("NON")));
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.size(), 2000);
        QCOMPARE(bytes.left(1408), before.left(1408));
        QCOMPARE(bytes.mid(1408, 5), QByteArray("\x03\x00NON", 5));
        QCOMPARE(bytes.mid(1536), before.mid(1536));
    }

    void shortFileIsExtended() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TEMPO.SPC"));
        QVERIFY(putFile(path, "xyz"));
        QVERIFY(writeFlagFile(dir.path(), QStringLiteral("OUI")));
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.left(3), QByteArray("xyz"));
        QCOMPARE(bytes.mid(3, 1405), QByteArray(1405, '\0'));
        QCOMPARE(bytes.mid(1410, 3), QByteArray("OUI"));
    }

    void unwritableFolderFailsQuietly() {
        // A folder that is really a file cannot hold the flag, even for root.
        QTemporaryDir dir;
        const QString notAFolder = dir.filePath(QStringLiteral("plain-file"));
        QVERIFY(putFile(notAFolder, {}));
        QVERIFY(!writeFlagFile(notAFolder, QStringLiteral("OUI")));
        QVERIFY(!writeFlagFile(dir.filePath(QStringLiteral("missing")), QStringLiteral("OUI")));
    }
};

QTEST_GUILESS_MAIN(FlagFileTest)
#include "flagfile_test.moc"
