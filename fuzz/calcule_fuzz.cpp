// Random expression texts through the evaluator: it must end, with a code from 0 to 3, and never
// crash, whatever the text. The evaluator's sources are compiled into this target so that they
// carry the fuzzer's instrumentation.
#include "core/evaluator.h"
#include "core/numberformat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // First byte: angle unit, whether the display empties halfway, and how the rest is read:
    // one character a byte, so that every letter and sign of the keypad occurs easily, or UTF-16
    // units, so that every character of Unicode (and lone surrogates) occurs too.
    const bool radians = data[0] & 1;
    const bool displayEmpties = data[0] & 2;
    const bool utf16 = data[0] & 4;
    QString expression = utf16 ? QString::fromUtf16(reinterpret_cast<const char16_t*>(data + 1),
                                                    static_cast<qsizetype>((size - 1) / 2))
                               : QString::fromLatin1(reinterpret_cast<const char*>(data + 1),
                                                     static_cast<qsizetype>(size - 1));
    int reads = 0;
    const alambix::DisplayText display = [&reads, displayEmpties] {
        return displayEmpties && ++reads > 50 ? QString() : QStringLiteral(" Patience ");
    };
    qint16 erreur = -1;
    alambix::calcule(expression, erreur, radians ? 1 : 0, display);
    if (erreur < 0 || erreur > 3) std::abort();
    if (erreur == 0) {
        // A success leaves a text without blanks at either end.
        if (expression.startsWith(QLatin1Char(' ')) || expression.endsWith(QLatin1Char(' ')))
            std::abort();
        if (const std::optional<double> value = alambix::lirenombre(expression))
            (void)alambix::ecrirenombre(*value);
    }
    return 0;
}
