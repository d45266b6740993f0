// Formatting the chemical formulae of a long text: pupils' sentences with formulae, ions and
// equations among ordinary words, 100 000 and 1 000 000 characters. The time per character
// should not grow with the length.
#include "core/chemicalformula.h"

#include <benchmark/benchmark.h>

namespace {

QString mixedText(qsizetype characters) {
    static const char* const sentences[] = {
        "L'acide sulfurique H2SO4 réagit avec les ions Fe3+ en solution aqueuse. ",
        "On verse 20 mL de soude (Na+ + HO-) dans un bécher de 100 mL, puis on agite. ",
        "CH3COOH + H2O <=> CH3COO- + H3O+ ; le pH vaut 4,8 à 25 °C. ",
        "Le sulfate de cuivre CuSO4,5H2O est bleu ; les ions [Cu(NH3)4]2+ sont bleu céleste. ",
        "MnO4- + 8H+ + 5e- -> Mn2+ + 4H2O : la solution se décolore. ",
        "Une feuille A4, un fichier MP3 et 3 cm3 d'éthanol C2H5OH suffisent pour l'exercice. ",
        "Les couples Fe3+/Fe2+ et Cu2+/Cu interviennent ; on note [Fe2+] la concentration. ",
    };
    QString text;
    text.reserve(characters + 200);
    for (int i = 0; text.size() < characters; ++i)
        text += QString::fromUtf8(sentences[i % std::size(sentences)]);
    text.truncate(characters);
    return text;
}

void formatMixedText(benchmark::State& state) {
    const QString text = mixedText(state.range(0));
    qsizetype pieces = 0;
    for (auto _ : state) {
        const QList<alambix::FormulaPiece> found = alambix::formatFormulae(text);
        pieces = found.size();
        benchmark::DoNotOptimize(found.constData());
    }
    state.counters["pieces"] = double(pieces);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(formatMixedText)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
