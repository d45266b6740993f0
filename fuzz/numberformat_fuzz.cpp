// Writing a number and reading it back gives it back within its 15 significant digits, and the
// text read back writes as the same text. Any text reads as a finite number or as nothing.
#include "core/numberformat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            const QString written = alambix::ecrirenombre(value);
            const std::optional<double> read = alambix::lirenombre(written);
            if (!read) {
                // Only a number within half a unit of its 15th digit of the largest double
                // rounds beyond the range.
                if (std::fabs(value) < 1.797693134862315e308) std::abort();
            } else {
                if (std::fabs(*read - value) > 1e-14 * std::fabs(value)) std::abort();
                if (alambix::ecrirenombre(*read) != written) std::abort();
            }
            const QString scientific = alambix::formatScientifique(value);
            if (const std::optional<double> back = alambix::lirenombre(scientific))
                if (alambix::formatScientifique(*back) != scientific) std::abort();
        }
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const std::optional<double> read = alambix::lirenombre(text))
        if (!std::isfinite(*read)) std::abort();
    return 0;
}
