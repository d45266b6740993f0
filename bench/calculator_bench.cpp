// Time of one "EXE" on a long expression: 40 operators and 10 functions, with groups.
#include "calculator/calculatorkeys.h"
#include "calculator/evaluator.h"

#include <benchmark/benchmark.h>

namespace {

QString longExpression() {
    // Ten blocks of three operators and one function, nine "+" between them and a last "- 1":
    // 40 operators and 10 functions.
    const char* functions[] = {"sin ", "cos ", "tan ",    "SQR ",    "log ",
                               "ln ",  "exp ", "invSIN ", "invCOS ", "invTAN "};
    QString text;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) text += QStringLiteral(" + ");
        text += QStringLiteral("(%1 * 2.5 - 3 / 7) * %2.%3")
                    .arg(i + 1)
                    .arg(QString::fromLatin1(functions[i]))
                    .arg(i + 1);
    }
    return text + QStringLiteral(" - 1");
}

void BM_ExeLongExpression(benchmark::State& state) {
    const QString expression = longExpression();
    for (auto _ : state) {
        alambix::CalculatorKeys calculator;
        calculator.append(expression);
        calculator.exe();
        benchmark::DoNotOptimize(calculator.display());
    }
    alambix::CalculatorKeys check;
    check.append(expression);
    check.exe();
    if (check.erreur() != alambix::CalculReussi)
        state.SkipWithError("the expression does not evaluate");
    state.SetLabel(check.display().toStdString());
}
BENCHMARK(BM_ExeLongExpression)->Unit(benchmark::kMicrosecond);

void BM_CalculeLongExpression(benchmark::State& state) {
    const QString expression = longExpression();
    for (auto _ : state) {
        QString text = expression;
        qint16 erreur = 0;
        alambix::calcule(text, erreur, 0);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_CalculeLongExpression)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
