// Every writer under real failures: a child process whose file size is limited at chosen byte
// counts, and a device that fails at a chosen byte. The old file must come out byte for byte as
// it was, the failure must be reported, and a replaced file must keep its mode.
#include "core/flagfile.h"
#include "core/recordfile.h"
#include "core/safewrite.h"
#include "core/setupfile.h"
#include "drawing/drawingexport.h"
#include "drawing/printlayout.h"
#include "support/files.h"
#include "support/processes.h"

#include <QDir>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace alambix;

namespace {
const SetupValues distillation = valuesFromFlags(QStringLiteral("10010000100110"));

// The set of files the "set" writer writes as one: names after the prefix, and sizes. The one in
// the middle is the large one, so that a limit between the sizes fails the set part-way.
const std::pair<const char*, int> fileSet[] = {{"-a.txt", 200}, {"-b.txt", 4000}, {"-c.txt", 300}};

QByteArray newContent(int size, char fill) {
    return QByteArray(size, fill);
}

// The writers without a command of alambix-cli, run by this program as its own child.
int childWrite(const QString& writer, const QString& path) {
    bool ok = false;
    if (writer == QLatin1String("set")) {
        std::vector<FileToWrite> files;
        for (const auto& [suffix, size] : fileSet) {
            const QByteArray bytes = newContent(size, 'n');
            files.push_back({path + QLatin1String(suffix),
                             [bytes](QIODevice& device) { return writeAll(device, bytes); }});
        }
        const WriteOutcome outcome = writeFilesSafely(files);
        return outcome == WriteOutcome::Written ? 0 : outcome == WriteOutcome::Failed ? 1 : 2;
    }
    if (writer == QLatin1String("flag"))
        ok = writeFlagFile(QFileInfo(path).path(), QStringLiteral("OUI"));
    else if (writer == QLatin1String("print"))
        ok = printDrawingToFile(path,
                                QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, {}),
                                300, QStringLiteral("essai"), distillation,
                                PrintOptions{true, true, true, false, 2}) == PrintResult::Printed;
    return ok ? 0 : 1;
}

// Runs a writer into `path` with the file size limited to `limit` bytes.
Run runWriter(const QString& writer, const QString& path, rlim_t limit = RLIM_INFINITY) {
    if (writer == QLatin1String("setup"))
        return runCli({"draw", "--click", "0,3,8,11,12", "--save", path}, limit);
    if (writer == QLatin1String("rtf") || writer == QLatin1String("odt"))
        return runCli({"rtf", "--intro", "--output", path}, limit);
    if (writer == QLatin1String("flag") || writer == QLatin1String("print") ||
        writer == QLatin1String("set"))
        return run(QCoreApplication::applicationFilePath(), {"--write", writer, path}, limit);
    return runCli({"draw", "--click", "0,3,8,11,12", "--output", path}, limit);
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}
} // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT
private slots:
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void replacedFileKeepsItsMode_data();
    void replacedFileKeepsItsMode();
    void linkStaysALink();
    void fileSetChangesWholeOrNot_data();
    void fileSetChangesWholeOrNot();
    void failingDeviceIsReported_data();
    void failingDeviceIsReported();
};

// Where the limit falls: a byte count, or counted back from the full size (-1: its last byte
// missing, -2: half of it).
void SafeWriteTest::failedWriteKeepsTheOldFile_data() {
    QTest::addColumn<QString>("writer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("cut");
    const struct {
        const char* writer;
        const char* name;
    } writers[] = {{"setup", "montage.C03"}, {"png", "schema.png"}, {"svg", "schema.svg"},
                   {"pdf", "schema.pdf"},    {"flag", "TEMPO.SPC"}, {"print", "page.pdf"},
                   {"rtf", "texte.rtf"},     {"odt", "texte.odt"}};
    for (const auto& w : writers)
        for (const qint64 cut : {0, 1, -2, -1}) {
            // An ODF file's zip is a few bytes longer or shorter from one run to the next: its
            // last byte is not a fixed place.
            if (cut == -1 && qstrcmp(w.writer, "odt") == 0) continue;
            QTest::addRow("%s at %lld", w.writer, cut) << w.writer << w.name << cut;
        }
    // Only the signature record fits.
    QTest::newRow("setup at 128") << "setup"
                                  << "montage.C03" << qint64(128);
    QTest::newRow("flag at 1408") << "flag"
                                  << "TEMPO.SPC" << qint64(1408);
}

void SafeWriteTest::failedWriteKeepsTheOldFile() {
    QFETCH(QString, writer);
    QFETCH(QString, name);
    QFETCH(qint64, cut);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    // The full write, unlimited, gives the size the limits are counted from.
    const Run full = runWriter(writer, path);
    QCOMPARE(full.exitCode, 0);
    const qint64 size = QFileInfo(path).size();
    QVERIFY(size > 2);
    const rlim_t limit = rlim_t(cut == -1 ? size - 1 : cut == -2 ? size / 2 : cut);

    QByteArray old(3000, '\0');
    for (int i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>(i * 7 + 1);
    QVERIFY(QFile::remove(path));
    QVERIFY(putFile(path, old));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const Run failed = runWriter(writer, path, limit);
    QCOMPARE(failed.exitCode, 1);
    if (writer == QLatin1String("rtf") || writer == QLatin1String("odt"))
        QCOMPARE(failed.err.trimmed(), "Erreur d'écriture: " + path +
                                           ". Vérifier l'état du lecteur et le nom du fichier.");
    else if (writer != QLatin1String("flag") && writer != QLatin1String("print"))
        QCOMPARE(failed.err.trimmed(), QStringLiteral("Ecriture impossible sur disque: ") + path);
    QCOMPARE(fileBytes(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

void SafeWriteTest::replacedFileKeepsItsMode_data() {
    QTest::addColumn<int>("mode");
    for (const int mode : {0444, 0400, 0600, 0640, 0664, 0755, 0000})
        QTest::addRow("%04o", mode) << mode;
}

void SafeWriteTest::replacedFileKeepsItsMode() {
    // Whoever may write the file (root may write any) replaces it; nobody changes its mode.
    QFETCH(int, mode);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ancien.C03"));
    const QByteArray old = setupBytes("01000000000000");
    QVERIFY(putFile(path, old));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0);
    const bool mayWrite = ::access(QFile::encodeName(path).constData(), W_OK) == 0;
    QCOMPARE(writeSetupFile(path, distillation), mayWrite);
    QCOMPARE(int(modeOf(path)), mode);
    ::chmod(QFile::encodeName(path).constData(), 0600);
    QCOMPARE(fileBytes(path), mayWrite ? setupBytes("10010000100110") : old);
}

void SafeWriteTest::linkStaysALink() {
    // The file a link names is replaced; the link itself stays in place.
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("vrai.C03"));
    const QString link = dir.filePath(QStringLiteral("lien.C03"));
    QVERIFY(putFile(target, "ancien"));
    QVERIFY(QFile::link(target, link));
    QVERIFY(writeSetupFile(link, distillation));
    QCOMPARE(QFileInfo(link).symLinkTarget(), target);
    QCOMPARE(fileBytes(target), setupBytes("10010000100110"));
}

void SafeWriteTest::fileSetChangesWholeOrNot_data() {
    QTest::addColumn<bool>("oldFiles");   // the three files are there before
    QTest::addColumn<QString>("blocked"); // a folder in the place of this file ("" for none)
    QTest::addColumn<qint64>("limit");    // the largest file the writer may write
    QTest::addColumn<int>("exitCode");    // 0 written, 1 failed, 2 refused
    for (const bool old : {false, true}) {
        const char* state = old ? "replacing" : "new";
        QTest::addRow("%s, no limit", state) << old << "" << qint64(RLIM_INFINITY) << 0;
        // The first file fits, the second does not: the set fails part-way.
        QTest::addRow("%s, second too large", state) << old << "" << qint64(1000) << 1;
        QTest::addRow("%s, nothing fits", state) << old << "" << qint64(0) << 1;
        QTest::addRow("%s, last is a folder", state)
            << old << "-c.txt" << qint64(RLIM_INFINITY) << 2;
    }
}

void SafeWriteTest::fileSetChangesWholeOrNot() {
    QFETCH(bool, oldFiles);
    QFETCH(QString, blocked);
    QFETCH(qint64, limit);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("lot"));
    for (const auto& [suffix, size] : fileSet) {
        if (blocked == QLatin1String(suffix))
            QVERIFY(QDir().mkdir(prefix + QLatin1String(suffix)));
        else if (oldFiles)
            QVERIFY(putFile(prefix + QLatin1String(suffix), newContent(size / 2, 'o')));
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    const Run run = runWriter(QStringLiteral("set"), prefix, rlim_t(limit));
    QCOMPARE(run.exitCode, exitCode);
    for (const auto& [suffix, size] : fileSet) {
        const QString path = prefix + QLatin1String(suffix);
        if (blocked == QLatin1String(suffix))
            QVERIFY(QFileInfo(path).isDir());
        else if (exitCode == 0)
            QCOMPARE(fileBytes(path), newContent(size, 'n'));
        else
            QCOMPARE(fileBytes(path),
                     oldFiles ? newContent(size / 2, 'o') : QByteArray("<absent>"));
    }
    // No file of the writer's own is left behind, whatever happened.
    QStringList after = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);
    if (exitCode == 0 && !oldFiles) {
        for (const auto& [suffix, size] : fileSet)
            after.removeOne(QStringLiteral("lot") + QLatin1String(suffix));
    }
    QCOMPARE(after, before);
}

void SafeWriteTest::failingDeviceIsReported_data() {
    QTest::addColumn<int>("writer");
    QTest::addColumn<qint64>("limit");
    // 0: set-up records, 1-3: PNG, SVG and PDF drawings.
    for (const int writer : {0, 1, 2, 3})
        for (const qint64 limit : {0, 1, 127, 129, 255})
            QTest::addRow("writer %d at %lld", writer, limit) << writer << limit;
}

void SafeWriteTest::failingDeviceIsReported() {
    QFETCH(int, writer);
    QFETCH(qint64, limit);
    FailingDevice device(limit);
    switch (writer) {
    case 0:
        QVERIFY(!writeSetup(device, distillation));
        break;
    default:
        QVERIFY(!writeDrawing(device, ExportFormat(writer - 1), distillation, true));
    }
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--write") == 0)
        return childWrite(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    SafeWriteTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "safewrite_test.moc"
