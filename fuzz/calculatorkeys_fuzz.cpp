// Key sequences on the calculator, by control name and by keyboard with every UTF-16 unit. After
// each key the display shows the expression, a message or a result the display format writes;
// keys only add at the end of the expression, EFFACE only takes from its end, a keyboard key that
// does nothing changes nothing, and EXE leaves the expression empty or, on an error, as typed.
#include "core/calculatorkeys.h"
#include "core/numberformat.h"

#include <cstdint>
#include <cstdlib>

using alambix::CalculatorKeys;

namespace {
bool isResult(const QString& display) {
    const std::optional<double> value = alambix::lirenombre(display);
    return value && (display == alambix::ecrirenombre(*value) ||
                     display == alambix::formatScientifique(*value));
}

bool displayProducible(const CalculatorKeys& keys) {
    const QString& d = keys.display();
    return d == keys.saisie() || d == CalculatorKeys::messageImpossible ||
           d == CalculatorKeys::messageParentheses || d == CalculatorKeys::messageOperateurs ||
           d == CalculatorKeys::messageDepassement || isResult(d);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QStringList names = CalculatorKeys::keyNames();
    CalculatorKeys::setMemoire(0);
    CalculatorKeys keys;
    // The evaluator must not be kept waiting: its display never empties here.
    keys.setDisplaySource([] { return CalculatorKeys::patience; });
    int pressed = 0;
    for (std::size_t i = 0; i < size && pressed < 64; ++pressed) {
        const QString before = keys.saisie();
        const QString shownBefore = keys.display();
        QString name;
        if (data[i] < 0x80 || i + 2 >= size) {
            name = names.at(data[i] % names.size());
            ++i;
            keys.press(name);
        } else {
            const char16_t unit = static_cast<char16_t>(data[i + 1] | data[i + 2] << 8);
            i += 3;
            if (!keys.typeKey(unit)) {
                if (keys.saisie() != before || keys.display() != shownBefore) std::abort();
                continue;
            }
            name = unit == 8    ? QStringLiteral("EFFACE")
                   : unit == 13 ? QStringLiteral("EXE")
                                : QString();
        }
        if (!displayProducible(keys)) std::abort();
        const QString& after = keys.saisie();
        if (name == QLatin1String("EXE")) {
            if (!after.isEmpty() && after != before) std::abort();
        } else if (name == QLatin1String("EFFACE")) {
            if (!before.startsWith(after)) std::abort();
        } else if (name == QLatin1String("RAZ")) {
            if (!after.isEmpty()) std::abort();
        } else if (!after.startsWith(before)) {
            std::abort();
        }
    }
    return 0;
}
