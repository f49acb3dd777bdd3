// Smoothings A and B: window widths, the entries they copy, leave alone and extend.
#include "analysis/peak_smoothing.h"

#include <gtest/gtest.h>

#include <memory>

namespace mca {
namespace {

std::unique_ptr<PeakArray> filled(double value) {
    auto a = std::make_unique<PeakArray>();
    a->fill(value);
    return a;
}

TEST(SmoothingA, WindowAtChannel1000Of4096Is31ChannelsWide) {
    auto x = std::make_unique<PeakArray>();
    auto y = std::make_unique<PeakArray>();
    (*x)[1000] = 31;
    smoothingA(*x, *y, 4096);
    EXPECT_DOUBLE_EQ((*y)[1000], 1.0);
    EXPECT_DOUBLE_EQ((*y)[985], 1.0);    // h(985) = 15 reaches 1000
    EXPECT_DOUBLE_EQ((*y)[1015], 1.0);
    EXPECT_DOUBLE_EQ((*y)[1016], 0.0);
}

TEST(SmoothingA, CopiesUpToEAndRepeatsTheLastMeanFromF) {
    auto x = std::make_unique<PeakArray>();
    for (std::size_t i = 0; i < x->size(); ++i) (*x)[i] = static_cast<double>(i);
    auto y = std::make_unique<PeakArray>();
    smoothingA(*x, *y, 4096);   // E = 32, F = 4064
    EXPECT_DOUBLE_EQ((*y)[2], 2.0);
    EXPECT_DOUBLE_EQ((*y)[40], 40.0);   // a symmetric mean of a line
    EXPECT_DOUBLE_EQ((*y)[4064], (*y)[4063]);
    EXPECT_DOUBLE_EQ((*y)[4094], (*y)[4063]);
    EXPECT_DOUBLE_EQ((*y)[4095], 0.0);  // N-1 is not written
}

TEST(SmoothingA, OnlyChannelsBelowNMinus2EnterAMean) {
    auto x = filled(1.0);
    (*x)[4094] = 1000;
    (*x)[4095] = 1000;
    auto y = std::make_unique<PeakArray>();
    smoothingA(*x, *y, 4096);
    EXPECT_DOUBLE_EQ((*y)[4063], 1.0);
}

class SmallSpectra : public ::testing::TestWithParam<int> {};

TEST_P(SmallSpectra, LeaveEntry3Untouched) {
    auto x = filled(5.0);
    auto y = std::make_unique<PeakArray>();
    smoothingA(*x, *y, GetParam());
    EXPECT_DOUBLE_EQ((*y)[2], 5.0);
    EXPECT_DOUBLE_EQ((*y)[3], 0.0);
    EXPECT_DOUBLE_EQ((*y)[4], 5.0);
}

INSTANTIATE_TEST_SUITE_P(Channels, SmallSpectra, ::testing::Values(256, 512));

TEST(SmoothingB, WiderWindowWithoutTheFloor) {
    auto x = std::make_unique<PeakArray>();
    (*x)[1000] = 63;
    auto y = std::make_unique<PeakArray>();
    smoothingB(*x, *y, 4096);   // h(1000) = trunc(31.6 - 1) = 30: 61 channels
    EXPECT_DOUBLE_EQ((*y)[1000], 63.0 / 61.0);
    // 256 channels: D = 1/16, E = 0, h = 0: every entry from 4 is its own value.
    auto z = std::make_unique<PeakArray>();
    auto flat = filled(2.0);
    smoothingB(*flat, *z, 256);
    EXPECT_DOUBLE_EQ((*z)[0], 2.0);
    EXPECT_DOUBLE_EQ((*z)[1], 0.0);
    EXPECT_DOUBLE_EQ((*z)[100], 2.0);
}

}  // namespace
}  // namespace mca
