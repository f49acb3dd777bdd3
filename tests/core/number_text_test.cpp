// Number texts must match, character for character, what the stored files and reports contain;
// each table pins the rounding, carry, sign and layout rules with values whose binary expansion
// was checked by hand (ties use exactly representable values such as 0.375 or 1023.5).
#include "core/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <optional>
#include <string>

namespace mca {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kSmallestDenormal = std::numeric_limits<double>::denorm_min();
constexpr long long kMaxLong = std::numeric_limits<long long>::max();
constexpr long long kMinLong = std::numeric_limits<long long>::min();

struct FixedCase {
    const char* name;
    double value;
    int decimals;
    int precision;
    const char* expected;
};

const FixedCase kFixedCases[] = {
    {"tie rounds away from zero", 0.125, 2, 15, "0.13"},
    {"tie with no decimals", 2.5, 0, 15, "3"},
    {"exact tie 0.375", 0.375, 2, 15, "0.38"},
    {"exact negative tie", -0.375, 2, 15, "-0.38"},
    {"exact tie 9.75", 9.75, 1, 15, "9.8"},
    {"exact tie 1023.5", 1023.5, 0, 15, "1024"},
    {"exact negative tie 1023.5", -1023.5, 0, 15, "-1024"},
    {"2.675 is below the tie in binary", 2.675, 2, 15, "2.67"},
    {"-1.005 is below the tie in binary", -1.005, 2, 15, "-1.00"},
    {"9.995 is below the tie, no carry", 9.995, 2, 15, "9.99"},
    {"halves judged on 18 digits, not the binary value", 28.0305, 3, 15, "28.031"},
    {"carry into a new integer digit", 9.996, 2, 15, "10.00"},
    {"tie carries into a new digit", 9.5, 0, 15, "10"},
    {"tie carries twice", 99.5, 0, 15, "100"},
    {"carry from the decimals", 999.9999, 2, 15, "1000.00"},
    {"below one rounds up to one", 0.6, 0, 15, "1"},
    {"first decimal from rounding", 0.006, 2, 15, "0.01"},
    {"spectrum channel", 1523, 4, 18, "1523.0000"},
    {"no decimals has no point", 1523.4, 0, 15, "1523"},
    {"trailing zeros kept", 0.5, 3, 15, "0.500"},
    {"uses all 18 digits", 123456789012345.67, 2, 15, "123456789012345.67"},
    {"18 decimals show the binary value", 0.1, 18, 15, "0.100000000000000006"},
    {"decimals clamped to 18", 0.1, 25, 15, "0.100000000000000006"},
    {"negative decimals clamped to 0", 2.5, -3, 15, "3"},
    {"tiny value is zero", 1e-30, 18, 15, "0.000000000000000000"},
    {"denormal is zero", kSmallestDenormal, 2, 15, "0.00"},
    {"negative zero", -0.0, 2, 15, "0.00"},
    {"negative rounding to zero", -0.001, 2, 15, "0.00"},
    {"negative rounding to zero, no decimals", -0.4, 0, 15, "0"},
    {"18 integer digits within precision 18", -123456789012345678.0, 0, 18,
     "-123456789012345680"},
    {"too many integer digits falls back to general", 1.2345678e7, 2, 7, "1.234568E7"},
    {"integer digits counted after rounding", 9999999.6, 0, 7, "1E7"},
    {"exactly precision integer digits stays fixed", 9999999, 0, 7, "9999999"},
    {"huge value", 1e300, 2, 15, "1E300"},
    {"largest double", kMaxDouble, 2, 15, "1.79769313486232E308"},
    {"precision clamped to 1, fits", 5, 0, 0, "5"},
    {"precision clamped to 1, falls back", 12, 0, 0, "1E1"},
    {"not a number", kNan, 2, 15, "NAN"},
    {"infinity", kInf, 2, 15, "INF"},
    {"negative infinity", -kInf, 2, 15, "-INF"},
};

TEST(NumberText, FormatFixed) {
    for (const auto& c : kFixedCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatFixed(c.value, c.decimals, c.precision), c.expected);
    }
}

TEST(NumberText, FormatFixedDefaultsToPrecision15) {
    EXPECT_EQ(formatFixed(123456789012345.0, 0), "123456789012345");
    EXPECT_EQ(formatFixed(1234567890123456.0, 0), "1.23456789012346E15");
}

const FixedCase kNumberCases[] = {
    {"grouped with decimals", 1234.5, 2, 15, "1,234.50"},
    {"negative grouped", -1234567, 0, 15, "-1,234,567"},
    {"three digits have no separator", 123, 0, 15, "123"},
    {"six digits", 123456, 1, 15, "123,456.0"},
    {"fifteen digits", 1e14, 0, 15, "100,000,000,000,000"},
    {"carry adds a group", 999.9999, 2, 15, "1,000.00"},
    {"negative tie carries into a group", -999.5, 0, 15, "-1,000"},
    {"below one", 0.5, 2, 15, "0.50"},
    {"negative rounding to zero", -0.001, 2, 15, "0.00"},
    {"general fallback is not grouped", 1e7, 0, 7, "1E7"},
    {"fallback with more digits", 1.5e15, 0, 15, "1.5E15"},
    {"exactly precision integer digits", 9999999, 0, 7, "9,999,999"},
    {"not a number", kNan, 0, 15, "NAN"},
    {"negative infinity", -kInf, 0, 15, "-INF"},
};

TEST(NumberText, FormatNumber) {
    for (const auto& c : kNumberCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatNumber(c.value, c.decimals, c.precision), c.expected);
    }
}

struct GeneralCase {
    const char* name;
    double value;
    int significantDigits;
    const char* expected;
};

const GeneralCase kGeneralCases[] = {
    {"integer within digits", 1234, 4, "1234"},
    {"integer beyond digits", 12345, 4, "1.235E4"},
    {"carry into a new digit", 99999, 4, "1E5"},
    {"carry to exactly one", 0.99996, 4, "1"},
    {"trailing zeros dropped", 100, 6, "100"},
    {"six integer digits with six digits", 123456, 6, "123456"},
    {"seven integer digits with six digits", 1234567, 6, "1.23457E6"},
    {"negative rounded", -123.456, 4, "-123.5"},
    {"small plain", 0.00123, 6, "0.00123"},
    {"rounded small plain", 0.000123456, 3, "0.000123"},
    {"smallest plain", 0.00001, 6, "0.00001"},
    {"carry up to 0.0001", 0.000099999, 4, "0.0001"},
    {"carry into the plain range", 0.0000099999, 4, "0.00001"},
    {"below plain range", 0.000001, 6, "1E-6"},
    {"negative exponent with fraction", 1.5e-7, 4, "1.5E-7"},
    {"negative tiny keeps its sign", -1e-20, 4, "-1E-20"},
    {"three-digit exponent", 1e100, 6, "1E100"},
    {"denormal", kSmallestDenormal, 6, "4.94066E-324"},
    {"zero", 0.0, 6, "0"},
    {"negative zero", -0.0, 6, "0"},
    {"digits clamped to 1", 123.456, 0, "1E2"},
    {"digits clamped to 18", 1.0 / 3.0, 30, "0.333333333333333315"},
    {"not a number", kNan, 6, "NAN"},
    {"infinity", kInf, 6, "INF"},
    {"negative infinity", -kInf, 6, "-INF"},
};

TEST(NumberText, FormatGeneral) {
    for (const auto& c : kGeneralCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatGeneral(c.value, c.significantDigits), c.expected);
    }
}

struct FullCase {
    const char* name;
    double value;
    const char* expected;
};

const FullCase kFullCases[] = {
    {"zero", 0.0, "0"},
    {"negative zero", -0.0, "0"},
    {"integer", 100, "100"},
    {"negative fraction", -2.5, "-2.5"},
    {"one tenth", 0.1, "0.1"},
    {"sum error hidden", 0.1 + 0.2, "0.3"},
    {"one third", 1.0 / 3.0, "0.333333333333333"},
    {"two thirds rounds up", 2.0 / 3.0, "0.666666666666667"},
    {"several decimals", 1234.5678, "1234.5678"},
    {"fifteen integer digits", 123456789012345.0, "123456789012345"},
    {"sixteen integer digits", 1e15, "1E15"},
    {"carry to sixteen digits", 999999999999999.9, "1E15"},
    {"smallest plain", 1e-5, "0.00001"},
    {"negative tiny", -1e-300, "-1E-300"},
    {"largest double", kMaxDouble, "1.79769313486232E308"},
    {"not a number", kNan, "NAN"},
};

TEST(NumberText, FormatFull) {
    for (const auto& c : kFullCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatFull(c.value), c.expected);
    }
}

TEST(NumberText, FormatThousands) {
    const struct {
        long long value;
        const char* expected;
    } cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {-1000, "-1,000"},
        {-1, "-1"},
        {100000, "100,000"},
        {1234567, "1,234,567"},
        {kMaxLong, "9,223,372,036,854,775,807"},
        {kMinLong, "-9,223,372,036,854,775,808"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(formatThousands(c.value), c.expected);
    }
}

void expectDotDecimalTexts() {
    EXPECT_EQ(formatFixed(1234.5, 2), "1234.50");
    EXPECT_EQ(formatNumber(1234567.25, 2), "1,234,567.25");
    EXPECT_EQ(formatFull(0.1), "0.1");
    EXPECT_EQ(parseFloat("1.5"), 1.5);
    EXPECT_EQ(parseFloat("1,5"), 1.5);
}

struct CommaDecimalPunctuation : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Files must read the same whatever the operator's regional settings, so neither the C++ global
// locale nor the C locale may leak into the texts.
TEST(NumberText, IgnoresGlobalStreamLocale) {
    const std::locale previous = std::locale::global(
        std::locale(std::locale::classic(), new CommaDecimalPunctuation));
    expectDotDecimalTexts();
    std::locale::global(previous);
}

TEST(NumberText, IgnoresCLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    bool found = false;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            found = true;
            break;
        }
    }
    if (!found) {
        GTEST_SKIP() << "no C locale with a decimal comma is installed";
    }
    expectDotDecimalTexts();
    std::setlocale(LC_ALL, previous.c_str());
}

struct RoundCase {
    const char* name;
    double value;
    long long halfEven;
    long long towardZero;
};

// 0.49999999999999994 and 2^52 + 1 catch the usual floor(x + 0.5) shortcut.
const RoundCase kRoundCases[] = {
    {"zero", 0.0, 0, 0},
    {"half", 0.5, 0, 0},
    {"negative half", -0.5, 0, 0},
    {"one and a half", 1.5, 2, 1},
    {"negative one and a half", -1.5, -2, -1},
    {"two and a half", 2.5, 2, 2},
    {"negative two and a half", -2.5, -2, -2},
    {"three and a half", 3.5, 4, 3},
    {"above half", 2.7, 3, 2},
    {"negative above half", -2.7, -3, -2},
    {"below half", 2.4999, 2, 2},
    {"just below one half", 0.49999999999999994, 0, 0},
    {"just below one", 0.9999999999999999, 1, 0},
    {"odd beyond 2^52", 4503599627370497.0, 4503599627370497, 4503599627370497},
    {"largest double below 2^63", 9223372036854774784.0, 9223372036854774784,
     9223372036854774784},
    {"2^63 clamps", 9223372036854775808.0, kMaxLong, kMaxLong},
    {"-2^63 is representable", -9223372036854775808.0, kMinLong, kMinLong},
    {"huge clamps", 1e300, kMaxLong, kMaxLong},
    {"negative huge clamps", -1e300, kMinLong, kMinLong},
    {"infinity clamps", kInf, kMaxLong, kMaxLong},
    {"negative infinity clamps", -kInf, kMinLong, kMinLong},
    {"not a number", kNan, 0, 0},
};

TEST(RoundHalfEven, Table) {
    for (const auto& c : kRoundCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(roundHalfEven(c.value), c.halfEven);
    }
}

TEST(TruncateTowardZero, Table) {
    for (const auto& c : kRoundCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(truncateTowardZero(c.value), c.towardZero);
    }
}

struct ParseFloatCase {
    const char* name;
    const char* text;
    double expected;
};

const ParseFloatCase kValidFloats[] = {
    {"decimal", "1.5", 1.5},
    {"blanks around", "  -2.25\t", -2.25},
    {"line end from a file", "3.75\r\n", 3.75},
    {"plus sign", "+3", 3.0},
    {"leading zeros", "007", 7.0},
    {"no integer digits", ".5", 0.5},
    {"no fraction digits", "5.", 5.0},
    {"exponent", "1e3", 1000.0},
    {"negative upper exponent", "1E-3", 0.001},
    {"signed exponent", "2.5e+2", 250.0},
    {"comma separator", "0,5", 0.5},
    {"comma with exponent", "-1,25E2", -125.0},
    {"correctly rounded", "0.1", 0.1},
    {"long digit string", "123456789012345678901234567890", 1.2345678901234568e29},
    {"denormal", "4.9406564584124654e-324", kSmallestDenormal},
};

TEST(ParseFloat, Accepts) {
    for (const auto& c : kValidFloats) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseFloat(c.text), c.expected);
    }
}

TEST(ParseFloat, KeepsSignOfZero) {
    const auto parsed = parseFloat("-0");
    ASSERT_TRUE(parsed.has_value());
    EXPECT_TRUE(std::signbit(*parsed));
}

TEST(ParseFloat, Rejects) {
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"empty", ""},
        {"blanks only", "   "},
        {"letters", "abc"},
        {"two points", "1.2.3"},
        {"trailing letter", "12x"},
        {"two commas", "1,2,3"},
        {"comma when a point is present", "1.2,3"},
        {"point alone", "."},
        {"sign alone", "-"},
        {"two signs", "+-1"},
        {"inner blank", "1 2"},
        {"exponent without digits", "1e"},
        {"exponent sign without digits", "1e+"},
        {"exponent without mantissa", "e5"},
        {"hexadecimal", "0x1A"},
        {"infinity word", "inf"},
        {"nan word", "nan"},
        {"digit separator", "1_000"},
        {"beyond the double range", "1e999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseFloat(c.text), std::nullopt);
    }
}

TEST(ParseInteger, Accepts) {
    const struct {
        const char* name;
        const char* text;
        long long expected;
    } cases[] = {
        {"decimal", "42", 42},
        {"blanks and minus", " -17 ", -17},
        {"plus", "+8", 8},
        {"leading zeros", "007", 7},
        {"negative zero", "-0", 0},
        {"dollar hexadecimal", "$1A", 26},
        {"0x hexadecimal", "0x1A", 26},
        {"upper prefix, lower digits", "0X1a", 26},
        {"negative hexadecimal", "-$10", -16},
        {"largest", "9223372036854775807", kMaxLong},
        {"smallest", "-9223372036854775808", kMinLong},
        {"largest hexadecimal", "$7FFFFFFFFFFFFFFF", kMaxLong},
        {"smallest hexadecimal", "-0x8000000000000000", kMinLong},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseInteger(c.text), c.expected);
    }
}

TEST(ParseInteger, Rejects) {
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"empty", ""},
        {"blanks only", "  "},
        {"letters", "abc"},
        {"trailing letter", "12x"},
        {"fraction", "1.5"},
        {"exponent", "1e3"},
        {"inner blank", "1 2"},
        {"blank after sign", "- 5"},
        {"two signs", "--5"},
        {"mixed signs", "+-5"},
        {"dollar alone", "$"},
        {"0x alone", "0x"},
        {"not a hexadecimal digit", "$G"},
        {"sign after prefix", "$-5"},
        {"plus after prefix", "0x+5"},
        {"just above the largest", "9223372036854775808"},
        {"just below the smallest", "-9223372036854775809"},
        {"hexadecimal above the largest", "$8000000000000000"},
        {"far beyond the range", "99999999999999999999999"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseInteger(c.text), std::nullopt);
    }
}

}  // namespace
}  // namespace mca
