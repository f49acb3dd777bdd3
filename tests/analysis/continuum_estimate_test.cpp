// EstimateContinuum: peaks are cut out and bridged, the continuum never exceeds SB1, and 512
// channels use the threshold -1 whatever the sensitivity.
#include "analysis/continuum_estimate.h"

#include "analysis/peak_smoothing.h"
#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <memory>

namespace mca {
namespace {

using peak_test::inputFor;
using peak_test::syntheticSpectrum;

TEST(ContinuumAverageWidth, ScalesWithTheChannelCount) {
    EXPECT_EQ(continuumAverageWidth(14, 4096), 14);
    EXPECT_EQ(continuumAverageWidth(14, 2048), 7);
    EXPECT_EQ(continuumAverageWidth(14, 1024), 4);   // round(3.5) = 4, halves to even
    EXPECT_EQ(continuumAverageWidth(14, 512), 4);
    EXPECT_EQ(continuumAverageWidth(14, 256), 2);
    EXPECT_EQ(continuumAverageWidth(1, 2048), 1);    // round(0.5) = 0 would average nothing
}

TEST(EstimateContinuum, CutsThePeakOutAndBridgesIt) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    const PeakArray net = netSpectrum(inputFor(counts, 4096));
    auto continuum = std::make_unique<PeakArray>();
    const ContinuumResult result = EstimateContinuum(net, 4096, {}, *continuum);
    EXPECT_EQ(result.regionCount, 1);
    EXPECT_NEAR((*continuum)[1000], 10, 0.5);     // under the peak: the bridge at the flat level
    EXPECT_NEAR((*continuum)[2000], 10, 1e-9);    // elsewhere: the smoothed spectrum
    auto sb1 = std::make_unique<PeakArray>();
    smoothingB(net, *sb1, 4096);
    for (std::size_t i = 0; i <= 4096; ++i) ASSERT_LE((*continuum)[i], (*sb1)[i]) << i;
}

TEST(EstimateContinuum, FlatSpectrumHasNoRegions) {
    const auto counts = syntheticSpectrum(4096, 10, {});
    auto continuum = std::make_unique<PeakArray>();
    EXPECT_EQ(EstimateContinuum(netSpectrum(inputFor(counts, 4096)), 4096, {}, *continuum).regionCount, 0);
}

TEST(EstimateContinuum, For512ChannelsTheThresholdIsMinusOneWhateverTheSensitivity) {
    const auto counts = syntheticSpectrum(512, 10, {{200, 4, 3000}, {350, 5, 400}});
    const PeakArray net = netSpectrum(inputFor(counts, 512));
    auto strict = std::make_unique<PeakArray>();
    auto loose = std::make_unique<PeakArray>();
    const int strictRegions = EstimateContinuum(net, 512, {1000.0, 14, 0.5}, *strict).regionCount;
    const int looseRegions = EstimateContinuum(net, 512, {0.0001, 14, 0.5}, *loose).regionCount;
    EXPECT_EQ(strictRegions, looseRegions);
    EXPECT_GE(strictRegions, 1);
    EXPECT_EQ(*strict, *loose);
    // With 1024 channels the sensitivity counts: 1000 cuts nothing out.
    const auto wide = syntheticSpectrum(1024, 10, {{400, 6, 3000}});
    auto none = std::make_unique<PeakArray>();
    EXPECT_EQ(EstimateContinuum(netSpectrum(inputFor(wide, 1024)), 1024, {1000.0, 14, 0.5}, *none).regionCount, 0);
}

}  // namespace
}  // namespace mca
