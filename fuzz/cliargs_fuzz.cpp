// The arguments of alambix-cli: any words end with exit code 0, 1 or 2, and the same words give
// the same code twice (nothing leaks from one run into the next). Runs in a private folder; a
// "/" in a word becomes "_" so that no file outside it is ever read or written.
#include "cli/calccommand.h"
#include "cli/drawcommand.h"
#include "cli/exercisecommand.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace {
QTemporaryDir* sandbox = nullptr;
QString startFolder;

int run(const QStringList& words) {
    // Empties the folder of what the last run saved (only files: "/" never reaches a name).
    QDir folder(sandbox->path());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
    QDir::setCurrent(sandbox->path());
    QStringList args = words;
    const QString command = args.isEmpty() ? QString() : args.takeFirst();
    if (command == QLatin1String("draw")) return alambix::cli::runDraw(args);
    if (command == QLatin1String("calc")) return alambix::cli::runCalc(args);
    if (command == QLatin1String("exercise")) return alambix::cli::runExercise(args);
    return 2;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    // In memory when the system offers it: every save syncs its file to the disk.
    sandbox = new QTemporaryDir(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/alambix-cliargs-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/alambix-cliargs-XXXXXX"));
    startFolder = QDir::currentPath();
    // The commands' own output is not what is checked here.
    std::freopen("/dev/null", "w", stdout);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Words separated by zero bytes; the first picks the command.
    QStringList words;
    for (const QByteArray& word :
         QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).split('\0'))
        words << QString::fromUtf8(word).replace(QLatin1Char('/'), QLatin1Char('_'));
    if (words.size() > 24) return 0;
    std::fflush(stderr);
    const int savedErr = dup(2);
    const int devNull = open("/dev/null", O_WRONLY);
    dup2(devNull, 2);
    const int first = run(words);
    const int second = run(words);
    std::fflush(stderr);
    dup2(savedErr, 2);
    close(savedErr);
    close(devNull);
    // The fuzzer reads its corpus by relative paths.
    QDir::setCurrent(startFolder);
    if (first < 0 || first > 2 || first != second) std::abort();
    return 0;
}
