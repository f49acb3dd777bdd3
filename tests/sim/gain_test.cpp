// The gain chain a host test relies on to know where a peak lands: one channel per keV at the
// reference settings, and each factor of the formula on its own.
#include "sim/gain.h"

#include <gtest/gtest.h>

namespace mca::sim {
namespace {

constexpr double kCs137KeV = 661.657;

struct GainCase {
    const char* name;
    GainSettings settings;
    double energyKeV;
    double expectedChannel;
};

const GainCase kGainCases[] = {
    {"reference: x15, fine 127, 800 V", {800, 2, 127, 0}, kCs137KeV, 661.657},
    {"fine 255 doubles", {800, 2, 255, 0}, kCs137KeV, 1323.314},
    {"fine 63 halves", {800, 2, 63, 0}, kCs137KeV, 330.8285},
    {"coarse x35", {800, 3, 127, 0}, kCs137KeV, 661.657 * 35 / 15},
    {"coarse x2", {800, 0, 127, 0}, kCs137KeV, 661.657 * 2 / 15},
    {"coarse x250", {800, 5, 127, 0}, 59.5409, 59.5409 * 250 / 15},
    {"half the voltage is 1/64 of the gain", {400, 2, 127, 0}, kCs137KeV, 661.657 / 64},
    {"1000 V is 1.25^6", {1000, 2, 127, 0}, 100, 100 * 3.814697265625},
    {"negative supply counts by magnitude", {-800, 2, 127, 0}, kCs137KeV, 661.657},
    {"2048 channels", {800, 2, 127, 1}, kCs137KeV, (661.657 + 0.5) / 2 - 0.5},
    {"512 channels", {800, 2, 127, 3}, kCs137KeV, (661.657 + 0.5) / 8 - 0.5},
    {"256 channels", {800, 2, 127, 4}, kCs137KeV, (661.657 + 0.5) / 16 - 0.5},
    {"no voltage, no gain", {0, 2, 127, 0}, kCs137KeV, 0},
};

TEST(Gain, PredictedChannelFollowsEachFactor) {
    for (const auto& c : kGainCases) {
        EXPECT_NEAR(predictChannel(c.energyKeV, c.settings), c.expectedChannel, 1e-9 * (1 + c.expectedChannel)) << c.name;
    }
}

TEST(Gain, DigitisedChannelRoundsAndStaysDefinedFarOutOfRange) {
    const GainSettings reference{800, 2, 127, 0};
    EXPECT_EQ(digitisedFullChannel(661.657, reference), 662);
    EXPECT_EQ(digitisedFullChannel(661.4, reference), 661);
    EXPECT_EQ(digitisedFullChannel(0, reference), 0);
    EXPECT_GT(digitisedFullChannel(3000, {65535, 5, 255, 0}), 4095) << "an overflow, not a wrapped value";
    EXPECT_EQ(channelCount({800, 2, 127, 3}), 512);
}

TEST(Gain, OutOfRangeCoarseIndexGivesNoGain) {
    EXPECT_EQ(gainChannelsPerKeV({800, 6, 127, 0}), 0);
    EXPECT_EQ(gainChannelsPerKeV({800, -1, 127, 0}), 0);
}

}  // namespace
}  // namespace mca::sim
