// Time of one "EXE" on a long expression (50 operators and 10 functions, with groups), and of
// the evaluator on expressions of 250 and 5,000 characters made of the same blocks: the second
// should take about twenty times the first, the evaluator's time growing with the length.
#include "core/calculatorkeys.h"
#include "core/evaluator.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

namespace {

// Blocks of three operators in a group, a product and a function, joined by " + ", and a
// last "- 1"; ten blocks make 50 operators and 10 functions.
QString blocks(int count) {
    const char* functions[] = {"sin ", "cos ", "tan ",    "SQR ",    "log ",
                               "ln ",  "exp ", "invSIN ", "invCOS ", "invTAN "};
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += QStringLiteral(" + ");
        text += QStringLiteral("(%1 * 2.5 - 3 / 7) * %2.%3")
                    .arg(i % 10 + 1)
                    .arg(QString::fromLatin1(functions[i % 10]))
                    .arg(i % 10 + 1);
    }
    return text + QStringLiteral(" - 1");
}

QString longExpression() {
    return blocks(10);
}

// The first expression of that kind at least `length` characters long.
QString expressionOfLength(int length) {
    int count = 1;
    while (blocks(count).size() < length)
        ++count;
    return blocks(count);
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

void BM_CalculeLength(benchmark::State& state) {
    const QString expression = expressionOfLength(int(state.range(0)));
    qint16 erreur = 0;
    for (auto _ : state) {
        QString text = expression;
        alambix::calcule(text, erreur, 0);
        benchmark::DoNotOptimize(text);
    }
    if (erreur != alambix::CalculReussi) state.SkipWithError("the expression does not evaluate");
    state.counters["characters"] = double(expression.size());
}
BENCHMARK(BM_CalculeLength)->Arg(250)->Arg(5000)->Unit(benchmark::kMicrosecond);

// Prints, after the table, how the 5,000-character time compares with the 250-character one.
class LengthRatio : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration &&
                run.run_name.function_name == "BM_CalculeLength")
                m_times[run.run_name.args] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        if (m_times.count("5000") && m_times.count("250"))
            std::printf("5000 / 250 characters: %.1fx the time\n",
                        m_times["5000"] / m_times["250"]);
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    LengthRatio reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
