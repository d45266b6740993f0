#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli formula [--] TEXT...`: returns the process exit code.
int runFormula(const QStringList& args);
} // namespace alambix::cli
