#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli calc ...`: returns the process exit code.
int runCalc(const QStringList& args);
} // namespace alambix::cli
