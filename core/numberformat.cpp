#include "core/numberformat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace alambix {

namespace {

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Decimal digits and exponent of `value` rounded to `significant` digits, trailing zeros
// removed; `value` must be finite and non-zero.
struct Decimal {
    bool negative = false;
    std::string digits; // at least one digit, no trailing zero
    int exponent = 0;   // value = 0.d1d2d3... * 10^(exponent + 1)
};

Decimal decompose(double value, int significant) {
    // to_chars is locale-independent and rounds the exact binary value correctly.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, significant - 1);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    Decimal d;
    d.negative = std::signbit(value);
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits.push_back(text[i]);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    d.exponent = std::stoi(text.substr(e + 1));
    return d;
}

QString exponentText(int exponent) {
    QString text = exponent < 0 ? QStringLiteral("-") : QStringLiteral("+");
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) text += QLatin1Char('0');
    return text + QString::number(magnitude);
}

} // namespace

std::optional<double> lirenombre(QStringView text) {
    std::string compact;
    compact.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        if (c != QLatin1Char(' '))
            compact.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '\x7f');

    std::size_t i = 0;
    bool negative = false;
    if (i < compact.size() && (compact[i] == '-' || compact[i] == '+'))
        negative = compact[i++] == '-';
    std::string number;
    int integerDigits = 0; // significant digits before the point
    int leadingFractionZeros = 0;
    bool significantSeen = false;
    bool anyDigit = false;
    for (; i < compact.size() && isDigit(compact[i]); ++i) {
        anyDigit = true;
        number.push_back(compact[i]);
        if (compact[i] != '0' || significantSeen) {
            significantSeen = true;
            ++integerDigits;
        }
    }
    if (i < compact.size() && compact[i] == '.') {
        number.push_back('.');
        for (++i; i < compact.size() && isDigit(compact[i]); ++i) {
            anyDigit = true;
            number.push_back(compact[i]);
            if (compact[i] != '0')
                significantSeen = true;
            else if (!significantSeen)
                ++leadingFractionZeros;
        }
    }
    if (!anyDigit) return 0.0;
    long long exponent = 0;
    if (i < compact.size() &&
        (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < compact.size() && (compact[j] == '-' || compact[j] == '+'))
            exponentNegative = compact[j++] == '-';
        if (j < compact.size() && isDigit(compact[j])) {
            for (; j < compact.size() && isDigit(compact[j]); ++j)
                exponent = std::min(exponent * 10 + (compact[j] - '0'), 100000000LL);
            if (exponentNegative) exponent = -exponent;
        }
    }
    if (!significantSeen) return negative ? -0.0 : 0.0;
    number += 'e';
    number += std::to_string(exponent);

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range either way: too large is a failure, too small reads as zero.
        const long long magnitude =
            exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
        if (magnitude > 0) return std::nullopt;
        value = 0.0;
    } else if (result.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

QString ecrirenombre(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0.0) return QStringLiteral(" 0");
    const Decimal d = decompose(value, 15);
    QString text = d.negative ? QStringLiteral("-") : QStringLiteral(" ");
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    if (d.exponent >= -4 && d.exponent <= 14) {
        if (d.exponent < 0) {
            text += QLatin1Char('.') + QString(-d.exponent - 1, QLatin1Char('0')) + digits;
        } else {
            const int integerLength = d.exponent + 1;
            if (digits.size() <= integerLength) {
                text += digits + QString(integerLength - digits.size(), QLatin1Char('0'));
            } else {
                text += digits.left(integerLength) + QLatin1Char('.') + digits.mid(integerLength);
            }
        }
        return text;
    }
    text += digits.left(1);
    if (digits.size() > 1) text += QLatin1Char('.') + digits.mid(1);
    return text + QLatin1Char('E') + exponentText(d.exponent);
}

QString formatScientifique(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0.0) return QStringLiteral("0E+00");
    const Decimal d = decompose(value, 8);
    QString text = d.negative ? QStringLiteral("-") : QString();
    const QString digits = QString::fromLatin1(d.digits.data(), qsizetype(d.digits.size()));
    text += digits.left(1);
    if (digits.size() > 1) text += QLatin1Char('.') + digits.mid(1);
    return text + QLatin1Char('E') + exponentText(d.exponent);
}

} // namespace alambix
