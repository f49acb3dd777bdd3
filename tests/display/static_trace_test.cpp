// The static trace: Savitzky-Golay weights for 16 and 24, the rounded square-root window for 36,
// and the live trace's smoothing for the other factors.
#include "display/static_trace.h"

#include "display/trace_smoothing.h"

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

struct StaticCase {
    std::string name;
    int factor;
    std::vector<std::pair<int, double>> expected;   // channel, value; others 0
};

class StaticSmoothingOfAnImpulse : public ::testing::TestWithParam<StaticCase> {};

TEST_P(StaticSmoothingOfAnImpulse, UsesItsOwnWeights) {
    const StaticCase& c = GetParam();
    const ChannelValues d = smoothStaticTrace(impulse(100, 21), kMaxChannels, c.factor, 0);
    ChannelValues expected{};
    for (const auto& [channel, value] : c.expected) expected[static_cast<std::size_t>(channel)] = value;
    for (std::size_t i = 0; i < d.size(); ++i) EXPECT_NEAR(d[i], expected[i], 1e-12) << "channel " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Factors, StaticSmoothingOfAnImpulse,
    ::testing::Values(
        // 21 x (-3, 12, 17, 12, -3) / 35, mirrored around the impulse.
        StaticCase{"Factor16SavitzkyGolay5", 16, {{98, -1.8}, {99, 7.2}, {100, 10.2}, {101, 7.2}, {102, -1.8}}},
        StaticCase{"Factor24SavitzkyGolay7", 24,
                   {{97, -2}, {98, 3}, {99, 6}, {100, 7}, {101, 6}, {102, 3}, {103, -2}}},
        // 21/9 = 2.33 and 21/11 = 1.91 both round to 2 counts.
        StaticCase{"Factor36RoundedGrowingWindow", 36,
                   {{96, 2}, {97, 2}, {98, 2}, {99, 2}, {100, 2}, {101, 2}, {102, 2}, {103, 2}, {104, 2}, {105, 2}}}),
    caseName<StaticCase>);

TEST(StaticTrace, OtherFactorsSmoothAsTheLiveTrace) {
    const ChannelValues v = impulse(300, 50);
    for (int factor : {1, 8, 48}) {
        EXPECT_EQ(smoothStaticTrace(v, 1024, factor, 3), smoothTrace(v, 1024, factor, 3)) << factor;
    }
}

TEST(StaticTrace, RoundedWindowRepeatsItsLastValueToTheLastChannel) {
    constexpr int kR = 1024;   // d = 0.25, E = 4: smoothed over 4 .. 1019
    ChannelValues v{};
    for (int i = 0; i < kR; ++i) v[static_cast<std::size_t>(i)] = i;
    const ChannelValues d = smoothStaticTrace(v, kR, 36, 0);
    EXPECT_EQ(d[3], 3);
    EXPECT_EQ(d[1019], 1019);
    for (std::size_t i = 1020; i < kR; ++i) EXPECT_EQ(d[i], 1019) << i;
}

}  // namespace
}  // namespace mca
