#include "cli/calccommand.h"

#include "core/calculatorkeys.h"

#include <QByteArray>

#include <cstdio>

namespace alambix::cli {

namespace {

int calcUsage(const char* reason) {
    std::fprintf(stderr,
                 "alambix-cli calc: %s\n"
                 "usage: alambix-cli calc [--radians] [--scientific] EXPRESSION...\n"
                 "       alambix-cli calc --keys [--trace] KEY...\n",
                 reason);
    return 2;
}

void printLine(const QString& text) {
    const QByteArray utf8 = text.toUtf8() + '\n';
    std::fwrite(utf8.constData(), 1, static_cast<std::size_t>(utf8.size()), stdout);
}

} // namespace

int runCalc(const QStringList& args) {
    bool keysMode = false;
    bool trace = false;
    bool radians = false;
    bool scientific = false;
    QStringList items;
    bool optionsEnded = false;
    // Options may stand anywhere before "--"; after it every word is an expression or a key.
    for (const QString& arg : args) {
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            items << arg;
        } else if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("--keys")) {
            keysMode = true;
        } else if (arg == QLatin1String("--trace")) {
            trace = true;
        } else if (arg == QLatin1String("--radians")) {
            radians = true;
        } else if (arg == QLatin1String("--scientific")) {
            scientific = true;
        } else {
            return calcUsage(
                QStringLiteral("option inconnue « %1 »").arg(arg).toUtf8().constData());
        }
    }
    if (keysMode && (radians || scientific))
        return calcUsage("--radians et --scientific ne vont pas avec --keys "
                         "(utiliser angle1 et C0)");
    if (!keysMode && trace) return calcUsage("--trace ne va qu'avec --keys");
    if (items.isEmpty()) return calcUsage(keysMode ? "aucune touche" : "aucune expression");

    CalculatorKeys calculator;
    if (keysMode) {
        for (const QString& key : items)
            if (!CalculatorKeys::isKeyName(key))
                return calcUsage(
                    QStringLiteral("touche inconnue « %1 »").arg(key).toUtf8().constData());
        for (const QString& key : items) {
            calculator.press(key);
            if (trace) printLine(calculator.display());
        }
        if (!trace) printLine(calculator.display());
    } else {
        calculator.selectAngle(radians ? 1 : 0);
        calculator.selectDisplay(scientific ? 0 : 1);
        for (const QString& expression : items) {
            // Each expression is typed afresh, then evaluated as "EXE" does.
            calculator.raz();
            calculator.append(CalculatorKeys::typedExpression(expression));
            calculator.exe();
            printLine(calculator.display());
        }
    }
    std::fflush(stdout);
    return 0;
}

} // namespace alambix::cli
