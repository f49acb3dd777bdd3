// Number texts. Every format works from the value's decimal expansion to 18 significant digits and
// rounds halves away from zero on those digits, which is how the files this workstation must keep
// reading and writing were produced; reproducing that exactly matters more than the true nearest
// decimal. std::to_chars and std::from_chars are used because they ignore the locale.
#include "core/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace mca {

namespace {

constexpr int kExpansionDigits = 18;
constexpr int kMaxDecimals = 18;
constexpr int kMaxSignificantDigits = 18;
constexpr int kFullSignificantDigits = 15;
// Values from here on are exactly 0.00001 or larger after rounding and stay in plain form.
constexpr int kLowestPlainExponent = -4;
constexpr double kTwoToThe63 = 9223372036854775808.0;

// value = ±0.digits × 10^exponent, digits without trailing zeros; empty digits mean zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

void stripTrailingZeros(std::string& digits) {
    const auto last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
}

Decimal decimalExpansion(double value) {
    Decimal result;
    result.negative = std::signbit(value);
    if (value == 0.0) {
        return result;
    }
    // "d.ddddddddddddddddde±x": 18 significant digits, correctly rounded.
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific,
                      kExpansionDigits - 1);
    const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
    const auto e = scientific.find('e');
    result.digits.reserve(kExpansionDigits);
    result.digits.push_back(scientific[0]);
    result.digits.append(scientific.substr(2, e - 2));
    std::size_t exponentStart = e + 1;
    if (scientific[exponentStart] == '+') {
        ++exponentStart;
    }
    int exponent10 = 0;
    std::from_chars(scientific.data() + exponentStart, scientific.data() + scientific.size(),
                    exponent10);
    result.exponent = exponent10 + 1;
    stripTrailingZeros(result.digits);
    return result;
}

// Keeps the first `keep` digits, rounding half away from zero on the digit after them. A carry out
// of the leading digit ("999" -> "1") raises the exponent.
Decimal roundToDigits(Decimal number, int keep) {
    if (keep >= static_cast<int>(number.digits.size())) {
        return number;
    }
    if (keep < 0) {
        number.digits.clear();
        return number;
    }
    const auto cut = static_cast<std::size_t>(keep);
    const bool roundUp = number.digits[cut] >= '5';
    number.digits.resize(cut);
    if (roundUp) {
        auto i = number.digits.find_last_not_of('9');
        if (i == std::string::npos) {
            number.digits.assign("1");
            ++number.exponent;
        } else {
            ++number.digits[i];
            number.digits.resize(i + 1);
        }
    }
    stripTrailingZeros(number.digits);
    return number;
}

char digitAt(const Decimal& number, int index) {
    if (index < 0 || index >= static_cast<int>(number.digits.size())) {
        return '0';
    }
    return number.digits[static_cast<std::size_t>(index)];
}

std::string groupThousands(std::string_view integerDigits) {
    std::string grouped;
    grouped.reserve(integerDigits.size() + integerDigits.size() / 3);
    for (std::size_t i = 0; i < integerDigits.size(); ++i) {
        if (i > 0 && (integerDigits.size() - i) % 3 == 0) {
            grouped.push_back(',');
        }
        grouped.push_back(integerDigits[i]);
    }
    return grouped;
}

// Zero never carries a sign: a value that rounded away entirely is written as plain zero.
std::string fixedLayout(const Decimal& number, int decimals, bool grouped) {
    std::string integerPart;
    for (int i = 0; i < number.exponent; ++i) {
        integerPart.push_back(digitAt(number, i));
    }
    if (integerPart.empty()) {
        integerPart = "0";
    }
    std::string text = number.negative && !number.digits.empty() ? "-" : "";
    text += grouped ? groupThousands(integerPart) : integerPart;
    if (decimals > 0) {
        text.push_back('.');
        for (int i = number.exponent; i < number.exponent + decimals; ++i) {
            text.push_back(digitAt(number, i));
        }
    }
    return text;
}

std::string exponentLayout(const Decimal& number) {
    std::string text = number.negative ? "-" : "";
    text.push_back(number.digits[0]);
    if (number.digits.size() > 1) {
        text.push_back('.');
        text.append(number.digits, 1);
    }
    text.push_back('E');
    text += std::to_string(number.exponent - 1);
    return text;
}

std::string generalLayout(const Decimal& expansion, int significantDigits) {
    const Decimal rounded = roundToDigits(expansion, significantDigits);
    if (rounded.digits.empty()) {
        return "0";
    }
    if (rounded.exponent >= kLowestPlainExponent && rounded.exponent <= significantDigits) {
        const int decimals =
            std::max(0, static_cast<int>(rounded.digits.size()) - rounded.exponent);
        return fixedLayout(rounded, decimals, false);
    }
    return exponentLayout(rounded);
}

std::optional<std::string> nonFiniteText(double value) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    return std::nullopt;
}

std::string fixedOrGeneral(double value, int decimals, int precision, bool grouped) {
    if (auto special = nonFiniteText(value)) {
        return *special;
    }
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    precision = std::clamp(precision, 1, kMaxSignificantDigits);
    const Decimal expansion = decimalExpansion(value);
    const Decimal rounded = roundToDigits(expansion, expansion.exponent + decimals);
    // Integer digits are counted after rounding: 9999999.6 with no decimals needs eight of them.
    if (!rounded.digits.empty() && rounded.exponent > precision) {
        return generalLayout(expansion, precision);
    }
    return fixedLayout(rounded, decimals, grouped);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t countDigits(std::string_view text, std::size_t from) {
    std::size_t end = from;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return end - from;
}

// Checks [sign] digits [sep digits] [(e|E) [sign] digits] with a digit somewhere in the mantissa.
bool isDecimalNumber(std::string_view text, char separator) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t mantissaDigits = countDigits(text, at);
    at += mantissaDigits;
    if (at < text.size() && text[at] == separator) {
        const std::size_t fractionDigits = countDigits(text, at + 1);
        at += 1 + fractionDigits;
        mantissaDigits += fractionDigits;
    }
    if (mantissaDigits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        const std::size_t exponentDigits = countDigits(text, at);
        if (exponentDigits == 0) {
            return false;
        }
        at += exponentDigits;
    }
    return at == text.size();
}

std::optional<unsigned long long> parseMagnitude(std::string_view digits, int base) {
    unsigned long long magnitude = 0;
    const char* end = digits.data() + digits.size();
    const auto parsed = std::from_chars(digits.data(), end, magnitude, base);
    if (digits.empty() || parsed.ec != std::errc() || parsed.ptr != end) {
        return std::nullopt;
    }
    return magnitude;
}

}  // namespace

std::string formatFixed(double value, int decimals, int precision) {
    return fixedOrGeneral(value, decimals, precision, false);
}

std::string formatNumber(double value, int decimals, int precision) {
    return fixedOrGeneral(value, decimals, precision, true);
}

std::string formatGeneral(double value, int significantDigits) {
    if (auto special = nonFiniteText(value)) {
        return *special;
    }
    significantDigits = std::clamp(significantDigits, 1, kMaxSignificantDigits);
    return generalLayout(decimalExpansion(value), significantDigits);
}

std::string formatFull(double value) {
    return formatGeneral(value, kFullSignificantDigits);
}

std::string formatThousands(long long value) {
    // Negating in unsigned arithmetic keeps the lowest long long representable.
    auto magnitude = static_cast<unsigned long long>(value);
    if (value < 0) {
        magnitude = 0 - magnitude;
    }
    const std::string grouped = groupThousands(std::to_string(magnitude));
    return value < 0 ? "-" + grouped : grouped;
}

namespace {

// What rounding gives for a value it cannot round within the long long range: 0 for NaN, the
// nearest end of the range beyond it; nullopt for every other value.
std::optional<long long> unroundableResult(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kTwoToThe63) {
        return std::numeric_limits<long long>::max();
    }
    if (value <= -kTwoToThe63) {
        return std::numeric_limits<long long>::min();
    }
    return std::nullopt;
}

}  // namespace

long long roundHalfEven(double value) {
    if (const auto special = unroundableResult(value)) {
        return *special;
    }
    // Below 2^63 in magnitude every double with a fraction is small enough that the step to the
    // neighbouring integer cannot leave the long long range.
    double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    const bool wholeIsOdd = std::fmod(whole, 2.0) != 0.0;
    if (fraction > 0.5 || (fraction == 0.5 && wholeIsOdd)) {
        whole += std::copysign(1.0, value);
    }
    return static_cast<long long>(whole);
}

long long truncateTowardZero(double value) {
    if (const auto special = unroundableResult(value)) {
        return *special;
    }
    return static_cast<long long>(std::trunc(value));
}

std::optional<double> parseFloat(std::string_view text) {
    text = trimBlanks(text);
    const char separator = text.find('.') == std::string_view::npos ? ',' : '.';
    if (!isDecimalNumber(text, separator)) {
        return std::nullopt;
    }
    // from_chars takes neither "+" nor ",", so hand it a normalised copy.
    std::string normal(text.front() == '+' ? text.substr(1) : text);
    std::replace(normal.begin(), normal.end(), ',', '.');
    double value = 0.0;
    const char* end = normal.data() + normal.size();
    const auto parsed = std::from_chars(normal.data(), end, value);
    if (parsed.ec != std::errc() || parsed.ptr != end) {
        return std::nullopt;
    }
    return value;
}

std::optional<long long> parseInteger(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.starts_with('$')) {
        text.remove_prefix(1);
        base = 16;
    } else if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto magnitude = parseMagnitude(text, base);
    if (!magnitude) {
        return std::nullopt;
    }
    constexpr auto kLargest = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (*magnitude > kLargest + (negative ? 1 : 0)) {
        return std::nullopt;
    }
    if (negative) {
        // -2^63 has no positive counterpart, so negate via the unsigned value.
        return static_cast<long long>(0 - *magnitude);
    }
    return static_cast<long long>(*magnitude);
}

}  // namespace mca
