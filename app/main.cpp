// Alambix: draw the glassware set-ups of the chemistry class.
#include "app/program.h"
#include "app/startarguments.h"
#include "windows/main/feuillep_window.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <optional>

namespace {

void print(const QString& text, std::FILE* stream) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Help and version need no screen: answered before the application connects to one.
bool answeredWithoutWindow(int argc, char** argv, int& exitCode) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const alambix::StartArguments start = alambix::parseStartArguments(arguments);
    if (start.action == alambix::StartArguments::Action::Help) {
        print(alambix::startUsage(), stdout);
    } else if (start.action == alambix::StartArguments::Action::Version) {
        print(alambix::startVersion(), stdout);
    } else {
        return false;
    }
    exitCode = 0;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (int exitCode = 0; answeredWithoutWindow(argc, argv, exitCode)) return exitCode;

    // The application is made once the font configuration has started loading, and destroyed
    // only after it has loaded: Qt's font database, which goes with the application, frees
    // fontconfig's configuration, and must not do so while the loader is still building it.
    std::optional<QApplication> application;
    alambix::FontConfigLoader fonts;
    QApplication& app = application.emplace(argc, argv);
    alambix::configureApplication(app);
    // Qt has taken its own options (-platform, -style...) out of the arguments by now.
    const alambix::StartArguments start =
        alambix::parseStartArguments(QApplication::arguments().mid(1));
    if (start.action == alambix::StartArguments::Action::UsageError) {
        print(QStringLiteral("alambix : %1\n\n").arg(start.error) + alambix::startUsage(), stderr);
        return 2;
    }
    fonts.wait();
    alambix::FeuilleP window;
    window.show();
    // The exercise first: a set-up named beside it wins over the one the statement loads.
    if (!start.exerciseFile.isEmpty()) {
        QTimer::singleShot(0, &window,
                           [&window, &start] { window.openExerciseFile(start.exerciseFile); });
    }
    if (!start.setupFile.isEmpty()) {
        // Once the window shows, so that the loader's messages stand over it.
        QTimer::singleShot(0, &window,
                           [&window, &start] { window.openSetupFile(start.setupFile); });
    }
    return app.exec();
}
