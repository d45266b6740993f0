#pragma once
// The desktop program's command line: the files to open at start (as the file manager passes
// them), `--help` and `--version`. Qt's own options are taken out by QApplication beforehand.

#include <QString>
#include <QStringList>

namespace alambix {

struct StartArguments {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    // The set-up to load at start: any file that is not an exercise (the loader says when it
    // is not a set-up file, so a renamed set-up still opens).
    QString setupFile;
    // The exercise to open at start: a file ending in ".E08", in any case.
    QString exerciseFile;
    // For UsageError: what was wrong, in French, without the usage lines.
    QString error;
};

// `arguments` without the program's name. "--" ends the options; a "file:" URL is taken as its
// local path. At most one set-up and one exercise.
StartArguments parseStartArguments(const QStringList& arguments);

// The French usage lines for `--help` and after an error.
QString startUsage();
// The French line for `--version`.
QString startVersion();

} // namespace alambix
