#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli exercise [--correction] FILE.E08`: returns the process exit code.
int runExercise(const QStringList& args);
} // namespace alambix::cli
