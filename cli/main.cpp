// alambix-cli: the program's logic without a window, for scripts, batch export and tests.
#include "cli/calccommand.h"
#include "cli/drawcommand.h"
#include "cli/exercisecommand.h"
#include "cli/formulacommand.h"
#include "cli/rtfcommand.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

namespace {
int usage() {
    std::fputs("usage: alambix-cli draw [--load FILE.C03] [--click LIST] [--save FILE.C03]\n"
               "                        [--no-background] [--output FILE.png|FILE.svg|FILE.pdf]\n"
               "                        [--labels names|numbers] [--black-white] [--explain]\n"
               "       alambix-cli calc [--radians] [--scientific] EXPRESSION...\n"
               "       alambix-cli calc --keys [--trace] KEY...\n"
               "       alambix-cli rtf FILE|--intro [--output OUT.rtf|.html|.odt|.txt|.pdf]\n"
               "       alambix-cli exercise [--correction] FILE.E08\n"
               "       alambix-cli exercise --check FILE.E08 [--click LIST]\n"
               "       alambix-cli exercise --create OUT.E08 --title TITLE [--level N]\n"
               "                        [--notions TEXT] --statement DOC.rtf\n"
               "                        [--statement-setup FILE.C03 | --statement-clicks LIST]\n"
               "                        [--correction DOC.rtf]\n"
               "                        [--correction-setup FILE.C03 | --correction-clicks LIST]\n"
               "       alambix-cli formula [--] TEXT...\n",
               stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    // Fonts and images need a GUI application, but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Scripts often run without a session; give Qt a private runtime folder rather than a warning.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::tempPath() + QStringLiteral("/runtime-%1").arg(getuid());
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty()) return usage();
    const QString command = args.takeFirst();
    if (command == QLatin1String("draw")) return alambix::cli::runDraw(args);
    if (command == QLatin1String("calc")) return alambix::cli::runCalc(args);
    if (command == QLatin1String("rtf")) return alambix::cli::runRtf(args);
    if (command == QLatin1String("exercise")) return alambix::cli::runExercise(args);
    if (command == QLatin1String("formula")) return alambix::cli::runFormula(args);
    return usage();
}
