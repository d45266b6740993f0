// What the program looks for in its own folder is found beside it, or installed in share/alambix.
#include "core/programfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

class ProgramFolderTest : public QObject {
    Q_OBJECT
private slots:
    void finds_data();
    void finds();
};

void ProgramFolderTest::finds_data() {
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("expected"); // relative to the prefix
    QTest::newRow("build tree") << true << false << "bin/Borix.hlp";
    QTest::newRow("installed") << false << true << "share/alambix/Borix.hlp";
    QTest::newRow("beside wins") << true << true << "bin/Borix.hlp";
    QTest::newRow("nowhere: named beside") << false << false << "bin/Borix.hlp";
}

void ProgramFolderTest::finds() {
    QFETCH(bool, beside);
    QFETCH(bool, installed);
    QTemporaryDir prefix;
    const QDir root(prefix.path());
    QVERIFY(root.mkpath("bin") && root.mkpath("share/alambix"));
    if (beside) QVERIFY(QFile(root.filePath("bin/Borix.hlp")).open(QIODevice::WriteOnly));
    if (installed)
        QVERIFY(QFile(root.filePath("share/alambix/Borix.hlp")).open(QIODevice::WriteOnly));
    QTEST(root.relativeFilePath(findInProgramFolder(root.filePath("bin"), "Borix.hlp")),
          "expected");
}

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "programfolder_test.moc"
