#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli exercise [--correction] FILE.E08` and
// `alambix-cli exercise --check FILE.E08 [--click LIST]`: returns the process exit code.
int runExercise(const QStringList& args);
} // namespace alambix::cli
