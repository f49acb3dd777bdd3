// The live trace: background subtraction, the six smoothing factors on a known input, their ends,
// and the display offset.
#include "display/trace_smoothing.h"

#include "display/display_values.h"
#include "display/sqrt_window.h"

#include "display_test_helpers.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace mca {
namespace {

using display_test::caseName;

ChannelValues impulse(int channel, double height) {
    ChannelValues v{};
    v[static_cast<std::size_t>(channel)] = height;
    return v;
}

ChannelValues ramp(int channels) {
    ChannelValues v{};
    for (int i = 0; i < channels; ++i) v[static_cast<std::size_t>(i)] = 1000 + i;
    return v;
}

double at(const ChannelValues& d, int i) { return d[static_cast<std::size_t>(i)]; }

struct SmoothingCase {
    std::string name;
    int factor;
    std::vector<std::pair<int, double>> expected;   // channel, value; channels not listed are 0
};

class SmoothingOfAnImpulse : public ::testing::TestWithParam<SmoothingCase> {};

// 21 counts in channel 100 of 4096: each factor spreads them over its window around 100.
TEST_P(SmoothingOfAnImpulse, SpreadsTheCountsOverItsWindow) {
    const SmoothingCase& c = GetParam();
    const ChannelValues d = smoothTrace(impulse(100, 21), kMaxChannels, c.factor, 0);
    ChannelValues expected{};
    for (const auto& [channel, value] : c.expected) expected[static_cast<std::size_t>(channel)] = value;
    for (int i = 0; i < kMaxChannels; ++i) EXPECT_NEAR(at(d, i), at(expected, i), 1e-12) << "channel " << i;
}

std::vector<std::pair<int, double>> flat(int first, int last, double value) {
    std::vector<std::pair<int, double>> points;
    for (int i = first; i <= last; ++i) points.emplace_back(i, value);
    return points;
}

std::vector<std::pair<int, double>> joined(std::vector<std::pair<int, double>> a,
                                           const std::vector<std::pair<int, double>>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

INSTANTIATE_TEST_SUITE_P(
    Factors, SmoothingOfAnImpulse,
    ::testing::Values(
        SmoothingCase{"Factor1Unsmoothed", 1, {{100, 21}}},
        SmoothingCase{"Factor8ThreeChannelMean", 8, flat(99, 101, 7)},
        SmoothingCase{"Factor16FiveChannelMean", 16, flat(98, 102, 4.2)},
        SmoothingCase{"Factor24SevenChannelMean", 24, flat(97, 103, 3)},
        // round(sqrt(i)) is 10 (even) around 100, so the last odd width, 9, holds.
        SmoothingCase{"Factor36OddSqrtWindowOfNine", 36, flat(96, 104, 21.0 / 9)},
        // h = trunc(sqrt(i) / 2): 4 below channel 100, 5 from it, so the window reaches 100 from
        // 96 .. 99 (9 channels) and from 100 .. 105 (11 channels).
        SmoothingCase{"Factor48GrowingSqrtWindow", 48,
                      joined(flat(96, 99, 21.0 / 9), flat(100, 105, 21.0 / 11))},
        SmoothingCase{"UnknownFactorDrawsUnsmoothed", 5, {{100, 21}}}),
    caseName<SmoothingCase>);

TEST(TraceSmoothing, MeansKeepTheRawValuesAtTheEnds) {
    constexpr int kR = 256;
    const ChannelValues v = ramp(kR);
    const ChannelValues d8 = smoothTrace(v, kR, 8, 0);
    EXPECT_EQ(at(d8, 0), at(v, 0));
    EXPECT_EQ(at(d8, kR - 2), at(v, kR - 2));
    EXPECT_EQ(at(d8, kR - 1), at(v, kR - 1));
    const ChannelValues d24 = smoothTrace(v, kR, 24, 0);
    EXPECT_DOUBLE_EQ(at(d24, 1), 1001);   // mean of 1000..1002
    EXPECT_DOUBLE_EQ(at(d24, 2), 1002);   // mean of 1000..1004
    for (int i = kR - 5; i < kR; ++i) EXPECT_EQ(at(d24, i), at(v, i)) << i;
    EXPECT_EQ(at(d24, kR), 0.0);
}

TEST(TraceSmoothing, UnsmoothedTraceLeavesOutTheLastChannel) {
    const ChannelValues d = smoothTrace(ramp(512), 512, 1, 0);
    EXPECT_EQ(at(d, 510), 1510);
    EXPECT_EQ(at(d, 511), 0.0);
}

TEST(TraceSmoothing, OddSqrtWindowKeepsTheLastChannelRaw) {
    const ChannelValues d = smoothTrace(ramp(1024), 1024, 36, 0);
    EXPECT_EQ(at(d, 1023), 2023);
}

TEST(TraceSmoothing, GrowingWindowRepeatsItsLastValueUpToTheEnd) {
    constexpr int kR = 4096;
    const SqrtWindow w = sqrtWindowFor(kR);
    ASSERT_EQ(w.lowEnd, 32);
    ASSERT_EQ(w.highStart, 4064);
    const ChannelValues v = ramp(kR);
    const ChannelValues d = smoothTrace(v, kR, 48, 0);
    EXPECT_EQ(at(d, 32), at(v, 32));                       // raw up to E
    EXPECT_DOUBLE_EQ(at(d, 1000), at(v, 1000));           // a ramp's centred mean is the ramp
    for (int i = 4063; i <= kR - 2; ++i) EXPECT_EQ(at(d, i), at(d, 4062)) << i;
}

TEST(TraceSmoothing, SmallSpectrumWindowHasNoHole) {
    // 256 channels: d = 0.25, E = 2; channel 3 is the first mean (h = 0), not a gap of zero.
    const ChannelValues v = ramp(256);
    EXPECT_EQ(at(smoothTrace(v, 256, 48, 0), 3), at(v, 3));
}

struct OffsetCase {
    std::string name;
    int factor;
    int offset;
    int channel;          // where the impulse at 100 shows its peak
};

class DisplayOffset : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(DisplayOffset, ShiftsOnlyTheUnsmoothedTrace) {
    const OffsetCase& c = GetParam();
    const ChannelValues d = smoothTrace(impulse(100, 21), kMaxChannels, c.factor, c.offset);
    const ChannelValues unshifted = smoothTrace(impulse(100, 21), kMaxChannels, c.factor, 0);
    EXPECT_EQ(at(d, c.channel), at(unshifted, 100));
    if (c.factor != 1) {
        EXPECT_EQ(d, unshifted);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, DisplayOffset,
    ::testing::Values(OffsetCase{"PlusFiveFactor1", 1, 5, 105}, OffsetCase{"MinusFiveFactor1", 1, -5, 95},
                      OffsetCase{"BeyondRangeClampsTo100", 1, 250, 200},
                      OffsetCase{"PlusFiveFactor8", 8, 5, 100}, OffsetCase{"PlusFiveFactor48", 48, 5, 100}),
    caseName<OffsetCase>);

TEST(TraceSmoothing, OffsetDropsPositionsOutsideTheChart) {
    ChannelValues v = impulse(2, 7);
    v[4094] = 9;
    const ChannelValues down = smoothTrace(v, kMaxChannels, 1, -5);
    const ChannelValues up = smoothTrace(v, kMaxChannels, 1, 5);
    ChannelValues expectedDown{};
    expectedDown[4089] = 9;
    EXPECT_EQ(down, expectedDown);
    ChannelValues expectedUp{};
    expectedUp[7] = 7;   // channel 4094 would land at 4099
    EXPECT_EQ(up, expectedUp);
}

TEST(DisplayValues, SubtractsTheBackgroundScaledByElapsedTime) {
    ChannelValues counts{};
    ChannelValues rate{};
    counts[10] = 100;
    rate[10] = 0.5;
    rate[11] = 0.25;
    const ChannelValues v = displayValues(counts, rate, 60, true);
    EXPECT_EQ(v[10], 70);
    EXPECT_EQ(v[11], -15);
    EXPECT_EQ(displayValues(counts, rate, 60, false), counts);
    EXPECT_EQ(channelSums(counts, rate)[10], 100.5);
}

}  // namespace
}  // namespace mca
