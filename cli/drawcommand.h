#pragma once
#include <QStringList>

namespace alambix::cli {
// `alambix-cli draw ...`: returns the process exit code.
int runDraw(const QStringList& args);
} // namespace alambix::cli
