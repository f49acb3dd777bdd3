// Windows-1252 <-> UTF-8 conversion at the file edges.
#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace mca {
namespace {

// Parameterised cases are named by their own name field.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct EncodingCase {
    const char* name;
    std::string cp1252;
    std::string utf8;
};

// Pairs that must convert exactly, in both directions.
const EncodingCase kPairs[] = {
    {"Ascii", "Counts 12,5", "Counts 12,5"},
    {"Micro", "2\xB5s", "2\xC2\xB5s"},
    {"PlusMinus", "\xB1" "0.5", "\xC2\xB1" "0.5"},
    {"Superscripts", "cm\xB2 m\xB3 s\xB9", "cm\xC2\xB2 m\xC2\xB3 s\xC2\xB9"},
    {"Euro", "\x80", "\xE2\x82\xAC"},
    {"TradeMark", "\x99", "\xE2\x84\xA2"},
    {"CapitalYDiaeresis", "\x9F", "\xC5\xB8"},
    {"UndefinedByteKeepsItsValue", "\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
    {"NoBreakSpaceAndSmallYDiaeresis", "\xA0\xFF", "\xC2\xA0\xC3\xBF"},
    {"Empty", "", ""},
    {"NulByte", std::string("a\0b", 3), std::string("a\0b", 3)},
};

class EncodingPairs : public testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingPairs, ConvertsBothWays) {
    EXPECT_EQ(cp1252ToUtf8(GetParam().cp1252), GetParam().utf8);
    EXPECT_EQ(utf8ToCp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(Encoding, EncodingPairs, testing::ValuesIn(kPairs), caseName<EncodingCase>);

TEST(Encoding, EveryByteRoundTrips) {
    std::string all;
    for (int byte = 0; byte < 256; ++byte) {
        all.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

struct LossyCase {
    const char* name;
    std::string utf8;
    std::string cp1252;
};

// One "?" per character without a byte and per malformed sequence, nothing swallowed after it.
const LossyCase kLossy[] = {
    {"GreekAlpha", "\xCE\xB1=1", "?=1"},
    {"FourByteCharacter", "a\xF0\x9F\x98\x80" "b", "a?b"},
    {"C1ControlWithoutByte", "\xC2\x80", "?"},
    {"StrayContinuationByte", "a\x80" "b", "a?b"},
    {"TruncatedAtEnd", "ab\xE2\x82", "ab?"},
    {"TruncatedBeforeAscii", "\xE2\x82" "A", "?A"},
    {"TruncatedBeforeValidCharacter", "\xE2\xC2\xB5", "?\xB5"},
    {"OverlongSlash", "\xC0\xAF", "??"},
    {"Surrogate", "\xED\xA0\x80", "???"},
    {"InvalidLeadByte", "\xFF" "x", "?x"},
};

class EncodingLossy : public testing::TestWithParam<LossyCase> {};

TEST_P(EncodingLossy, ReplacesWithQuestionMark) {
    EXPECT_EQ(utf8ToCp1252(GetParam().utf8), GetParam().cp1252);
}

INSTANTIATE_TEST_SUITE_P(Encoding, EncodingLossy, testing::ValuesIn(kLossy), caseName<LossyCase>);

}  // namespace
}  // namespace mca
