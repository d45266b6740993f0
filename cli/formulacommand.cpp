#include "cli/formulacommand.h"

#include "cli/printline.h"
#include "core/chemicalformula.h"

#include <cstdio>

namespace alambix::cli {

namespace {
int formulaUsage(const QString& reason) {
    printLine(QStringLiteral("alambix-cli formula: ") + reason, stderr);
    std::fputs("usage: alambix-cli formula [--] TEXT...\n", stderr);
    return 2;
}
} // namespace

int runFormula(const QStringList& args) {
    QStringList texts;
    bool optionsEnded = false;
    // The command has no option: "--" lets a text begin with "--".
    for (const QString& arg : args) {
        if (optionsEnded || !arg.startsWith(QLatin1String("--")))
            texts << arg;
        else if (arg == QLatin1String("--"))
            optionsEnded = true;
        else
            return formulaUsage(QStringLiteral("option inconnue « %1 »").arg(arg));
    }
    if (texts.isEmpty()) return formulaUsage(QStringLiteral("aucun texte"));
    for (const QString& text : std::as_const(texts))
        printLine(formulaMarkup(text), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace alambix::cli
