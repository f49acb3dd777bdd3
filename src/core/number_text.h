// Number texts as they appear in the stored files, reports and dialogs: fixed, grouped and general
// formats, integer rounding, and parsing of typed numbers. Decimal point "." and thousands separator
// "," always; the machine locale is never consulted, so files read the same on every machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mca {

// Fixed-point with `decimals` decimals (0..18). When the rounded value has more integer digits than
// `precision` (1..18), it is written as formatGeneral(value, precision) instead.
std::string formatFixed(double value, int decimals, int precision = 15);

// formatFixed with "," between groups of three integer digits ("1,234,567.50"); the general-format
// fallback is not grouped.
std::string formatNumber(double value, int decimals, int precision = 15);

// Rounded to `significantDigits` (1..18) significant digits, trailing zeros and point dropped.
// Plain decimal form from 0.00001 up to `significantDigits` integer digits, otherwise exponent form
// such as "1.235E4" or "1E-6".
std::string formatGeneral(double value, int significantDigits);

// The shortest faithful text most fields use: formatGeneral with 15 significant digits.
std::string formatFull(double value);

// Integer with thousands separators: 1234567 -> "1,234,567".
std::string formatThousands(long long value);

// Nearest integer, halves to even. Clamped to the long long range; NaN gives 0.
long long roundHalfEven(double value);

// Integer part, toward zero. Clamped to the long long range; NaN gives 0.
long long truncateTowardZero(double value);

// A typed decimal number: blanks around, optional sign, digits with optional "." fraction, optional
// exponent. "," is the decimal separator when the text has no ".". Malformed or beyond the double
// range gives nullopt.
std::optional<double> parseFloat(std::string_view text);

// A typed integer: blanks around, optional sign, decimal digits or hexadecimal as "$1A" or "0x1A".
// Malformed or beyond the long long range gives nullopt.
std::optional<long long> parseInteger(std::string_view text);

}  // namespace mca
