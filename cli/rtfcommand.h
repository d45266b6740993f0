#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli rtf ...`: returns the process exit code.
int runRtf(const QStringList& args);
} // namespace alambix::cli
