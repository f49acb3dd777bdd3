// Date-time stamps and texts, and the calendar arithmetic behind them.
#include "core/date_time.h"

#include <gtest/gtest.h>

#include <optional>

namespace mca {
namespace {

// Parameterised cases are named by their own name field.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

constexpr long long kDay = 86'400'000;

struct StampCase {
    const char* name;
    std::string_view pattern;
    std::string expected;
};

// 2026-03-04 05:06:07.008: every field has a single digit, so every padding rule shows.
const StampCase kStamps[] = {
    {"Spaced", kStampSpaced, "2026 03 04 05-06-07"},
    {"CompactTakesMmAfterHourAsMinutes", kStampCompact, "26-03-04_050607"},
    {"Minutes", kStampMinutes, "202603040506"},
    {"SingleLetterTokensDoNotPad", "d/m/yyyy h:n:s", "4/3/2026 5:6:7"},
    {"SingleMAfterHourIsMinutes", "h:m", "5:6"},
    {"MmAfterSecondsIsMonthAgain", "hh:nn:ss mm", "05:06:07 03"},
    {"Milliseconds", "ss.zzz|z", "07.008|8"},
    {"CapitalsAndOtherLettersAreLiteral", "yyyy-mm-ddThh:nn Z", "2026-03-04T05:06 Z"},
};

class DateStamps : public testing::TestWithParam<StampCase> {};

TEST_P(DateStamps, Formats) {
    const DateTime t{2026, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(formatStamp(t, GetParam().pattern), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Date, DateStamps, testing::ValuesIn(kStamps), caseName<StampCase>);

TEST(DateText, FixedTextPadsEveryField) {
    EXPECT_EQ(formatDateTimeText({2026, 12, 11, 9, 5, 3, 0}), "2026-12-11 09:05:03");
    EXPECT_EQ(formatDateTimeText({999, 1, 2, 0, 0, 0, 0}), "0999-01-02 00:00:00");
    EXPECT_EQ(formatStamp({2005, 1, 1, 0, 0, 0, 0}, kStampCompact), "05-01-01_000000");
}

struct ParseCase {
    const char* name;
    std::string_view text;
    std::optional<DateTime> expected;
};

const ParseCase kParses[] = {
    {"Fixed", "2026-12-11 09:05:03", DateTime{2026, 12, 11, 9, 5, 3, 0}},
    {"IsoSeparatorT", "2026-12-11T09:05:03", DateTime{2026, 12, 11, 9, 5, 3, 0}},
    {"MissingSeconds", "2026-12-11 09:05", DateTime{2026, 12, 11, 9, 5, 0, 0}},
    {"SurroundingBlanks", "  2026-12-11 09:05:03\r\n", DateTime{2026, 12, 11, 9, 5, 3, 0}},
    {"UsAfternoon", "12/11/2026 9:05:03 PM", DateTime{2026, 12, 11, 21, 5, 3, 0}},
    {"UsMorning", "1/2/2026 9:05:03 AM", DateTime{2026, 1, 2, 9, 5, 3, 0}},
    {"UsMidnightIs12Am", "1/2/2026 12:00:00 AM", DateTime{2026, 1, 2, 0, 0, 0, 0}},
    {"UsNoonIs12Pm", "1/2/2026 12:30:00 pm", DateTime{2026, 1, 2, 12, 30, 0, 0}},
    {"UsTwentyFourHour", "12/11/2026 21:05:03", DateTime{2026, 12, 11, 21, 5, 3, 0}},
    {"UsMissingSeconds", "12/11/2026 9:05 PM", DateTime{2026, 12, 11, 21, 5, 0, 0}},
    {"LeapDay2024", "2024-02-29 00:00:00", DateTime{2024, 2, 29, 0, 0, 0, 0}},
    {"LeapDay2000", "2000-02-29 23:59:59", DateTime{2000, 2, 29, 23, 59, 59, 0}},
    {"NoLeapDay1900", "1900-02-29 00:00:00", std::nullopt},
    {"NoLeapDay2023", "2/29/2023 1:00:00 AM", std::nullopt},
    {"February30", "2026-02-30 00:00:00", std::nullopt},
    {"April31", "2026-04-31 00:00:00", std::nullopt},
    {"Month13", "2026-13-01 00:00:00", std::nullopt},
    {"Hour25", "2026-12-11 25:00:00", std::nullopt},
    {"Hour24", "2026-12-11 24:00:00", std::nullopt},
    {"Minute60", "2026-12-11 09:60:00", std::nullopt},
    {"Hour13Pm", "12/11/2026 13:05:03 PM", std::nullopt},
    {"Hour0Am", "12/11/2026 0:05:03 AM", std::nullopt},
    {"DateOnly", "2026-12-11", std::nullopt},
    {"TrailingText", "2026-12-11 09:05:03x", std::nullopt},
    {"TwoDigitYear", "12/11/26 9:05:03 PM", std::nullopt},
    {"DanglingColon", "2026-12-11 09:05:", std::nullopt},
    {"Empty", "", std::nullopt},
    {"Garbage", "yesterday", std::nullopt},
};

class DateParsing : public testing::TestWithParam<ParseCase> {};

TEST_P(DateParsing, Parses) {
    EXPECT_EQ(parseDateTimeText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Date, DateParsing, testing::ValuesIn(kParses), caseName<ParseCase>);

TEST(DateText, FixedTextReadsBack) {
    const DateTime t{1999, 12, 31, 23, 59, 58, 0};
    EXPECT_EQ(parseDateTimeText(formatDateTimeText(t)), t);
}

struct EpochCase {
    const char* name;
    DateTime t;
    long long ms;
};

const EpochCase kEpochs[] = {
    {"Epoch", {1970, 1, 1, 0, 0, 0, 0}, 0},
    {"LastMillisecondBeforeEpoch", {1969, 12, 31, 23, 59, 59, 999}, -1},
    {"Y2K", {2000, 1, 1, 0, 0, 0, 0}, 946'684'800'000},
    {"LeapDay2000Noon", {2000, 2, 29, 12, 0, 0, 0}, 951'825'600'000},
    {"Year1900", {1900, 1, 1, 0, 0, 0, 0}, -2'208'988'800'000},
    {"YearOne", {1, 1, 1, 0, 0, 0, 0}, -62'135'596'800'000},
    {"LastOfYear9999", {9999, 12, 31, 23, 59, 59, 999}, 253'402'300'799'999},
};

class DateEpoch : public testing::TestWithParam<EpochCase> {};

TEST_P(DateEpoch, ConvertsBothWays) {
    EXPECT_EQ(toMillisecondsSinceEpoch(GetParam().t), GetParam().ms);
    EXPECT_EQ(fromMillisecondsSinceEpoch(GetParam().ms), GetParam().t);
}

INSTANTIATE_TEST_SUITE_P(Date, DateEpoch, testing::ValuesIn(kEpochs), caseName<EpochCase>);

TEST(DateArithmetic, CrossesLeapDaysAndYearEnds) {
    struct Case {
        const char* name;
        DateTime from;
        long long ms;
        DateTime to;
    };
    const Case cases[] = {
        {"IntoLeapDay", {2024, 2, 28, 23, 59, 59, 999}, 1, {2024, 2, 29, 0, 0, 0, 0}},
        {"OverLeapDay", {2024, 2, 28, 12, 0, 0, 0}, 2 * kDay, {2024, 3, 1, 12, 0, 0, 0}},
        {"1900HasNoLeapDay", {1900, 2, 28, 0, 0, 0, 0}, kDay, {1900, 3, 1, 0, 0, 0, 0}},
        {"IntoNewYear", {2025, 12, 31, 23, 59, 59, 999}, 1, {2026, 1, 1, 0, 0, 0, 0}},
        {"BackOverYearEnd", {2026, 1, 1, 0, 0, 0, 0}, -1, {2025, 12, 31, 23, 59, 59, 999}},
        {"BackBeforeEpoch", {1970, 1, 1, 0, 0, 0, 500}, -1'000, {1969, 12, 31, 23, 59, 59, 500}},
        {"BackOverLeapDay", {1968, 3, 1, 0, 0, 0, 0}, -kDay, {1968, 2, 29, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(addMilliseconds(c.from, c.ms), c.to);
    }
}

TEST(DateArithmetic, EveryDayOfFourCenturiesRoundTrips) {
    DateTime previous = fromMillisecondsSinceEpoch(-200LL * 365 * kDay);
    for (long long day = -200LL * 365 + 1; day <= 200LL * 365; ++day) {
        const long long ms = day * kDay + 43'210'987;
        const DateTime t = fromMillisecondsSinceEpoch(ms);
        ASSERT_TRUE(isValidDateTime(t)) << day;
        ASSERT_EQ(toMillisecondsSinceEpoch(t), ms) << day;
        ASSERT_LT(previous, t) << day;
        previous = t;
    }
}

TEST(DateValidity, RejectsEachFieldOutOfRange) {
    struct Case {
        const char* name;
        DateTime t;
        bool valid;
    };
    const Case cases[] = {
        {"Ordinary", {2026, 12, 11, 9, 5, 3, 999}, true},
        {"YearZero", {0, 1, 1, 0, 0, 0, 0}, false},
        {"Year10000", {10000, 1, 1, 0, 0, 0, 0}, false},
        {"DayZero", {2026, 1, 0, 0, 0, 0, 0}, false},
        {"Second60", {2026, 1, 1, 0, 0, 60, 0}, false},
        {"Millisecond1000", {2026, 1, 1, 0, 0, 0, 1000}, false},
        {"NegativeMinute", {2026, 1, 1, 0, -1, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(isValidDateTime(c.t), c.valid);
    }
}

TEST(DateClock, LocalNowIsAValidRecentTime) {
    const DateTime now = localDateTimeNow();
    EXPECT_TRUE(isValidDateTime(now));
    EXPECT_GE(now.year, 2024);
}

}  // namespace
}  // namespace mca
