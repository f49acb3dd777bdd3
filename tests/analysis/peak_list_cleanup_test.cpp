// The found-peak list clean-up: cut-offs, narrow and duplicate peaks, the proximity rule and the
// shared baselines of touching peaks.
#include "analysis/peak_list_cleanup.h"

#include <gtest/gtest.h>

#include <vector>

namespace mca {
namespace {

// A peak at centroid c with region L..R and energies keV = 0.5 ch + 5.
FoundPeak peakAt(double c, int left, int right) {
    FoundPeak p;
    p.centroidChannel = c;
    p.firstCentroidChannel = c;
    p.centroidKeV = 0.5 * c + 5;
    p.regionStartKeV = 0.5 * left + 5;
    p.regionEndKeV = 0.5 * right + 5;
    p.leftChannel = left;
    p.rightChannel = right;
    p.baselineStartChannel = left;
    p.baselineEndChannel = right;
    p.baselineStartHeight = left;    // heights named after their channel, to follow them
    p.baselineEndHeight = right;
    return p;
}

std::vector<double> centroids(const FoundPeakList& peaks) {
    std::vector<double> out;
    for (const FoundPeak& p : peaks) out.push_back(*p.centroidChannel);
    return out;
}

TEST(PeakListCleanup, SortsByEnergyAndNumbers) {
    FoundPeakList peaks{peakAt(2000, 1970, 2030), peakAt(500, 480, 520)};
    cleanUpPeakList(peaks, {});
    EXPECT_EQ(centroids(peaks), (std::vector<double>{500, 2000}));
    EXPECT_EQ(peaks[0].number, 1);
    EXPECT_EQ(peaks[1].number, 2);
}

TEST(PeakListCleanup, LowCutoffRemovesAPeakAtChannel5) {
    FoundPeakList peaks{peakAt(5, 2, 12), peakAt(500, 480, 520)};
    cleanUpPeakList(peaks, {4096, 10});
    EXPECT_EQ(centroids(peaks), (std::vector<double>{500}));
}

TEST(PeakListCleanup, PeaksAboveRound097NAreRemoved) {
    // round(0.97 x 4096) = round(3973.12) = 3973
    FoundPeakList peaks{peakAt(500, 480, 520), peakAt(3973, 3900, 4040), peakAt(3974, 3900, 4040)};
    FoundPeakList kept = peaks;
    cleanUpPeakList(kept, {4096, 10});
    EXPECT_EQ(centroids(kept), (std::vector<double>{500, 3973}));
}

TEST(PeakListCleanup, PeaksWithoutACentroidOrAPositiveEnergyAreRemoved) {
    FoundPeakList peaks{peakAt(500, 480, 520), peakAt(800, 780, 820), peakAt(1200, 1180, 1220)};
    peaks[0].centroidChannel.reset();
    peaks[1].regionStartKeV = 0;
    cleanUpPeakList(peaks, {});
    EXPECT_EQ(centroids(peaks), (std::vector<double>{1200}));
}

TEST(PeakListCleanup, NarrowPeaksGoButPeakOneIsNotTested) {
    // sqrt(900) = 30: a region of 29 channels is too narrow.
    FoundPeakList peaks{peakAt(400, 395, 405), peakAt(900, 886, 915), peakAt(1600, 1560, 1640)};
    cleanUpPeakList(peaks, {});
    EXPECT_EQ(centroids(peaks), (std::vector<double>{400, 1600}));
}

TEST(PeakListCleanup, EqualCentroidsKeepTheFirst) {
    FoundPeakList peaks{peakAt(1000, 960, 1040), peakAt(1000, 950, 1050)};
    cleanUpPeakList(peaks, {});
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_EQ(peaks[0].leftChannel, 960);
}

TEST(ProximityRule, TwoPeaks20ChannelsApartNear1000KeepTheOneTestedFirstFromTheHighEnd) {
    FoundPeakList peaks{peakAt(990, 950, 1030), peakAt(1010, 970, 1050)};
    applyProximityRule(peaks);
    EXPECT_EQ(centroids(peaks), (std::vector<double>{1010}));
}

TEST(ProximityRule, LimitsAreExclusive) {
    // c = 1032: round(1032 - 32.12) = 1000, not strictly above; c = 1000: round(1000 - 31.62) =
    // 968 and round(1031.62) = 1032, neither strictly inside. All three stay.
    FoundPeakList peaks{peakAt(968, 940, 990), peakAt(1000, 980, 1020), peakAt(1032, 1010, 1050)};
    applyProximityRule(peaks);
    EXPECT_EQ(centroids(peaks), (std::vector<double>{968, 1000, 1032}));
    // One channel closer is inside.
    FoundPeakList closer{peakAt(1000, 980, 1020), peakAt(1031, 1010, 1050)};
    applyProximityRule(closer);
    EXPECT_EQ(centroids(closer), (std::vector<double>{1031}));
}

TEST(ProximityRule, APositionBeyondTheShortenedListDeletesNothing) {
    FoundPeakList peaks{peakAt(500, 480, 520), peakAt(990, 950, 1030), peakAt(1000, 960, 1040), peakAt(1010, 970, 1050)};
    // Position 4 (1010) deletes 990 and 1000; positions 3 and 2 then look at a list of two.
    applyProximityRule(peaks);
    EXPECT_EQ(centroids(peaks), (std::vector<double>{500, 1010}));
}

TEST(SharedBaselines, TouchingPeaksShareTheFirstStartAndTheLastEnd) {
    FoundPeakList peaks{peakAt(100, 80, 120), peakAt(140, 120, 160), peakAt(180, 159, 200), peakAt(400, 380, 420)};
    shareBaselines(peaks);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(peaks[static_cast<std::size_t>(i)].baselineStartChannel, 80) << i;
        EXPECT_EQ(peaks[static_cast<std::size_t>(i)].baselineStartHeight, 80) << i;
        EXPECT_EQ(peaks[static_cast<std::size_t>(i)].baselineEndChannel, 200) << i;
        EXPECT_EQ(peaks[static_cast<std::size_t>(i)].baselineEndHeight, 200) << i;
    }
    EXPECT_EQ(peaks[3].baselineStartChannel, 380);
    EXPECT_EQ(peaks[3].baselineEndChannel, 420);
    // The regions themselves are not changed.
    EXPECT_EQ(peaks[1].leftChannel, 120);
    EXPECT_EQ(peaks[1].rightChannel, 160);
}

TEST(SharedBaselines, AGapEndsTheChain) {
    FoundPeakList peaks{peakAt(100, 80, 120), peakAt(140, 121, 160)};
    shareBaselines(peaks);
    EXPECT_EQ(peaks[0].baselineEndChannel, 120);
    EXPECT_EQ(peaks[1].baselineStartChannel, 121);
}

}  // namespace
}  // namespace mca
