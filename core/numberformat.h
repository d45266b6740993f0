#pragma once
// The calculator's own number rules: reading a number from text and writing it back.
// Both always use "." as the decimal separator, whatever the user's locale.
#include <QString>

#include <optional>

namespace alambix {

// Reads the leading number of `text`: blanks are ignored, then an optional sign, digits, an
// optional "." and fraction digits, an optional exponent letter "E" or "D" (either case) with an
// optional sign and digits. Reading stops at the first character that does not fit; a text
// without a number reads 0. Returns nothing when the value lies beyond the double range.
std::optional<double> lirenombre(QStringView text);

// Writes `value` with at most 15 significant digits: a leading blank for zero and positive values,
// no "0" before the point below 1, no trailing zeros, E notation outside exponents -4..14
// (« 1E-05», « 1.23456789012346E+15»). Returns an empty text for infinities and NaN.
QString ecrirenombre(double value);

// The "Scientifique" display format: one digit, at most seven decimals without trailing zeros,
// "E", the exponent sign and at least two exponent digits (1234.5 gives «1.2345E+03»).
// Returns an empty text for infinities and NaN.
QString formatScientifique(double value);

} // namespace alambix
