// alambix-cli rtf, run as a separate process.
#include "support/files.h"
#include "support/processes.h"

#include <QTemporaryDir>
#include <QTest>

class RtfCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void outputs_data();
    void outputs();
    void failures_data();
    void failures();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void RtfCommandTest::initTestCase() {
    QVERIFY2(QFile::exists(qEnvironmentVariable("ALAMBIX_CLI")), "ALAMBIX_CLI is not set");
    QVERIFY(m_dir.isValid());
    QVERIFY(
        putFile(path(QStringLiteral("doc.rtf")),
                "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\qc\\b Acide sulfurique\\b0\\par H\\sub 2"
                "\\nosupersub SO\\sub 4\\nosupersub  \\'e0 25 \\'b0C\\par}"));
    QVERIFY(putFile(path(QStringLiteral("bad.rtf")), "Ceci n'est pas un document."));
}

void RtfCommandTest::outputs_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("stdoutText");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QByteArray>("starts"); // the output file's first bytes
    QTest::addColumn<QString>("contains");  // and text it holds
    const QString doc = path(QStringLiteral("doc.rtf"));
    QTest::newRow("plain text") << QStringList{doc}
                                << QStringLiteral(u"Acide sulfurique\nH2SO4 à 25 °C\n") << QString()
                                << QByteArray() << QString();
    QTest::newRow("introduction") << QStringList{QStringLiteral("--intro")}
                                  << QStringLiteral("Alambix\n") << QString() << QByteArray()
                                  << QString();
    QTest::newRow("rtf") << QStringList{doc} << QString() << QStringLiteral("out.rtf")
                         << QByteArray("{\\rtf1\\ansi\\ansicpg1252")
                         << QStringLiteral("\\'e0 25 \\'b0C");
    QTest::newRow("upper-case extension")
        << QStringList{doc} << QString() << QStringLiteral("OUT.RTF") << QByteArray("{\\rtf1")
        << QStringLiteral("\\sub");
    QTest::newRow("html") << QStringList{doc} << QString() << QStringLiteral("out.html")
                          << QByteArray("<!DOCTYPE HTML") << QStringLiteral("vertical-align:sub");
    QTest::newRow("odt") << QStringList{doc} << QString() << QStringLiteral("out.odt")
                         << QByteArray("PK") << QStringLiteral("mimetypeapplication/vnd.oasis");
    QTest::newRow("txt") << QStringList{doc} << QString() << QStringLiteral("out.txt")
                         << QByteArray("Acide") << QStringLiteral(u"H2SO4 à 25 °C");
    QTest::newRow("pdf") << QStringList{doc} << QString() << QStringLiteral("out.pdf")
                         << QByteArray("%PDF") << QStringLiteral("/MediaBox [0 0 595");
    QTest::newRow("intro to rtf") << QStringList{QStringLiteral("--intro")} << QString()
                                  << QStringLiteral("intro.rtf") << QByteArray("{\\rtf1")
                                  << QStringLiteral("\\fs36");
}

void RtfCommandTest::outputs() {
    QFETCH(QStringList, args);
    QFETCH(QString, stdoutText);
    QFETCH(QString, output);
    QFETCH(QByteArray, starts);
    QFETCH(QString, contains);
    if (!output.isEmpty()) args << QStringLiteral("--output") << path(output);
    const Run run = runCli(QStringList{"rtf"} + args);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    if (output.isEmpty()) {
        QVERIFY2(run.out.startsWith(stdoutText), qPrintable(run.out));
        return;
    }
    QCOMPARE(run.out, QString());
    const QByteArray bytes = fileBytes(path(output));
    QVERIFY2(bytes.startsWith(starts), bytes.left(40).constData());
    QVERIFY2(bytes.contains(contains.toUtf8()), qPrintable(contains));
}

void RtfCommandTest::failures_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("fileLimit"); // bytes the process may write, 0 for no limit
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString doc = path(QStringLiteral("doc.rtf"));
    const QString missing = path(QStringLiteral("absent.rtf"));
    const QString bad = path(QStringLiteral("bad.rtf"));
    const QString kept = path(QStringLiteral("kept.pdf"));
    QTest::newRow("missing") << QStringList{missing} << 0 << 1
                             << QStringLiteral("Le fichier ") + missing +
                                    QStringLiteral(" est introuvable\n");
    QTest::newRow("not rtf") << QStringList{bad} << 0 << 1
                             << QStringLiteral("Le fichier ") + bad +
                                    QStringLiteral(" est introuvable\n");
    QTest::newRow("folder missing")
        << QStringList{doc, QStringLiteral("--output"), path(QStringLiteral("no/out.rtf"))} << 0
        << 1 << QStringLiteral(u"Erreur d'écriture");
    QTest::newRow("disk full") << QStringList{doc, QStringLiteral("--output"), kept} << 200 << 1
                               << QStringLiteral(u"Erreur d'écriture");
    QTest::newRow("no file") << QStringList{} << 0 << 2 << QStringLiteral("usage");
    QTest::newRow("file and intro")
        << QStringList{doc, QStringLiteral("--intro")} << 0 << 2 << QStringLiteral("usage");
    QTest::newRow("unknown type") << QStringList{doc, QStringLiteral("--output"),
                                                 path(QStringLiteral("x.doc"))}
                                  << 0 << 2 << QStringLiteral("usage");
    QTest::newRow("output without file")
        << QStringList{doc, QStringLiteral("--output")} << 0 << 2 << QStringLiteral("usage");
    QTest::newRow("unknown option")
        << QStringList{doc, QStringLiteral("--html")} << 0 << 2 << QStringLiteral("usage");
}

void RtfCommandTest::failures() {
    QFETCH(QStringList, args);
    QFETCH(int, fileLimit);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    // A file already at the output path survives a failed write.
    const QString kept = path(QStringLiteral("kept.pdf"));
    QVERIFY(putFile(kept, "ancien"));
    const Run run =
        runCli(QStringList{"rtf"} + args, fileLimit ? rlim_t(fileLimit) : RLIM_INFINITY);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, QString());
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(fileBytes(kept), QByteArray("ancien"));
}

QTEST_MAIN(RtfCommandTest)
#include "rtfcommand_test.moc"
