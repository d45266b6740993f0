#include "cli/calccommand.h"

#include <cstdio>

namespace alambix::cli {
int runCalc(const QStringList&)
{
    std::fputs("alambix-cli calc: le calculateur n'est pas encore disponible\n", stderr);
    return 2;
}
} // namespace alambix::cli
