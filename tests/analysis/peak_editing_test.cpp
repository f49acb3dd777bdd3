// Manual peak editing: selection, centroid and edge moves with their conditions, Kill Peak and
// AddPeakAt with its region sums.
#include "analysis/peak_editing.h"

#include "analysis/peak_reanalysis.h"
#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace mca {
namespace {

using peak_test::inputFor;

// SmoothedSpectrum 20 plus Gaussians of height 500, sigma 8.5; Continuum 20; energies
// keV = 0.5 ch + 5; the raw spectrum flat at 20 with a 500-count bump in channel 2000.
class PeakEditingTest : public ::testing::Test {
protected:
    PeakEditingTest() {
        counts[2000] += 500;
        input = inputFor(counts, 4096, 600);
        state->smoothedSpectrum.fill(20);
        state->continuum.fill(20);
    }

    void addPeak(double c, int left, int right) {
        for (int k = std::max(left - 20, 0); k <= std::min(right + 20, 4096); ++k) {
            state->smoothedSpectrum[static_cast<std::size_t>(k)] += 500 * std::exp(-(k - c) * (k - c) / (2 * 8.5 * 8.5));
        }
        FoundPeak p;
        p.centroidChannel = c;
        p.firstCentroidChannel = c;
        p.centroidKeV = centroidEnergyKeV(input.calibration, c);
        p.leftChannel = left;
        p.rightChannel = right;
        p.regionStartKeV = ChannelToKeV(input.calibration, left);
        p.regionEndKeV = ChannelToKeV(input.calibration, right);
        state->peaks.push_back(p);
        ReanalysePeaks(*state, input, settings);
    }

    const FoundPeak& selectedPeak() const { return state->peaks[static_cast<std::size_t>(state->selectedPeak - 1)]; }

    std::vector<double> counts = std::vector<double>(4096, 20.0);
    std::unique_ptr<PeakAnalysis> state = std::make_unique<PeakAnalysis>();
    PeakAnalysisInput input;
    PeakSearchSettings settings;
};

TEST_F(PeakEditingTest, SelectionIsClampedToTheList) {
    addPeak(1000, 960, 1040);
    addPeak(2000, 1960, 2040);
    selectPeak(*state, 5);
    EXPECT_EQ(state->selectedPeak, 2);
    selectNextPeak(*state);
    EXPECT_EQ(state->selectedPeak, 2);
    selectPreviousPeak(*state);
    selectPreviousPeak(*state);
    EXPECT_EQ(state->selectedPeak, 1);
    const auto fields = selectedPeakFields(*state, input);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->leftChannel, 960);
    EXPECT_EQ(fields->rightChannel, 1040);
    EXPECT_EQ(fields->leftKeV, 485);
    EXPECT_EQ(fields->centroidKeV, 505);
}

TEST_F(PeakEditingTest, CentroidMovesStayInsideTheRegion) {
    settings.minSignificance = 0;   // the centroid leaves the Gaussian behind
    addPeak(1000, 960, 1040);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidUpUp));
    EXPECT_EQ(*selectedPeak().centroidChannel, 1010);
    EXPECT_EQ(selectedPeak().firstCentroidChannel, 1010);
    EXPECT_EQ(*selectedPeak().centroidKeV, 510);
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidUpUp));
    EXPECT_EQ(*selectedPeak().centroidChannel, 1030);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::CentroidUpUp));   // 1040 is not below 1040
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidUp));
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::CentroidUp));     // 1040 is not below 1040
    EXPECT_EQ(*selectedPeak().centroidChannel, 1040);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidDownDown));
    EXPECT_EQ(*selectedPeak().centroidChannel, 1030);
}

TEST_F(PeakEditingTest, CentroidDownNeedsTheRegionStart) {
    settings.minSignificance = 0;
    addPeak(1000, 960, 1040);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidDownDown));
    EXPECT_EQ(*selectedPeak().centroidChannel, 960);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::CentroidDownDown));
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidDown));   // c >= 960
    EXPECT_EQ(*selectedPeak().centroidChannel, 959);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::CentroidDown));
}

TEST_F(PeakEditingTest, EdgeMovesSetTheEdgeAndItsEnergy) {
    addPeak(1000, 960, 1040);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::LeftEdgeDownDown));
    EXPECT_EQ(selectedPeak().leftChannel, 950);
    EXPECT_EQ(selectedPeak().regionStartKeV, 480);
    EXPECT_EQ(selectedPeak().baselineStartChannel, 950);   // the re-analysis follows the edge
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));
    EXPECT_EQ(selectedPeak().rightChannel, 1041);
    EXPECT_EQ(selectedPeak().regionEndKeV, 525.5);
}

TEST_F(PeakEditingTest, LeftEdgeUpStopsAtTheCentroid) {
    addPeak(1000, 990, 1040);
    for (int i = 0; i < 9; ++i) ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::LeftEdgeUp));
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::LeftEdgeUpUp));   // 999 + 10 is not below 1000
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::LeftEdgeUp));
    EXPECT_EQ(selectedPeak().leftChannel, 1000);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::LeftEdgeUp));
}

TEST_F(PeakEditingTest, RightEdgeDownKeepsTwoChannelsAboveTheCentroid) {
    addPeak(1000, 960, 1011);
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeDown));   // 1001 < 1011
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::RightEdgeDownDown));  // 1010 < 1010 fails
    for (int i = 0; i < 8; ++i) ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeDown));
    EXPECT_EQ(selectedPeak().rightChannel, 1002);
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeDown));
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::RightEdgeDown));  // c + 1 = 1001 = R
}

TEST_F(PeakEditingTest, RightEdgeUpStopsAtTheLastChannel) {
    addPeak(3900, 3850, 4084);
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUpUp));    // 4094 < 4095
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::RightEdgeUpUp));
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));      // 4094 < N-1 = 4095
    EXPECT_EQ(selectedPeak().rightChannel, 4095);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));     // at N-1: refused
    EXPECT_EQ(selectedPeak().rightChannel, 4095);
}

TEST_F(PeakEditingTest, LeftEdgeDownStopsAtChannelZero) {
    addPeak(30, 11, 50);
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::LeftEdgeDownDown));   // 11 > 10
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::LeftEdgeDownDown));
    EXPECT_TRUE(MovePeak(*state, input, settings, PeakMove::LeftEdgeDown));
    EXPECT_EQ(selectedPeak().leftChannel, 0);
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::LeftEdgeDown));
}

TEST_F(PeakEditingTest, AnAllowedMoveRecountsTheBackground) {
    const std::vector<double> rate(4096, 0.01);   // 6 counts per channel in 600 s
    input.backgroundRate = rate;
    addPeak(1000, 960, 1040);
    EXPECT_EQ(selectedPeak().backgroundCounts, 0);   // as the hand-made peak came
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));
    EXPECT_NEAR(selectedPeak().backgroundCounts, 6 * 82, 1e-9);
    EXPECT_NEAR(selectedPeak().backgroundCpm, 6 * 82 / 10.0, 1e-9);
}

TEST_F(PeakEditingTest, TouchingPeaksKeepACommonBaselineAfterAnEdit) {
    addPeak(1000, 960, 1040);
    addPeak(1070, 1040, 1100);
    selectPeak(*state, 1);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));
    selectPeak(*state, 2);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::CentroidDown));
    ASSERT_EQ(state->peaks.size(), 2u);
    for (const FoundPeak& p : state->peaks) {
        EXPECT_EQ(p.baselineStartChannel, 960);
        EXPECT_EQ(p.baselineEndChannel, 1100);
    }
}

TEST_F(PeakEditingTest, APeakBelowTheMinimumSignificanceAfterAnEdgeMoveDisappears) {
    addPeak(1000, 960, 1040);
    addPeak(2000, 1960, 2040);
    state->continuum[1041] = 5000;   // the continuum there puts the baseline far above the peak
    selectPeak(*state, 1);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));
    ASSERT_EQ(state->peaks.size(), 1u);
    EXPECT_EQ(*state->peaks[0].centroidChannel, 2000);
}

TEST_F(PeakEditingTest, EveryMoveEndsWithTheReanalysis) {
    addPeak(1000, 995, 1040);
    state->peaks[0].netCounts = -1;
    EXPECT_FALSE(MovePeak(*state, input, settings, PeakMove::LeftEdgeUpUp));   // 1005 is not below 1000
    EXPECT_EQ(state->peaks[0].leftChannel, 995);
    EXPECT_GT(state->peaks[0].netCounts, 0);                                   // re-analysed all the same
}

TEST_F(PeakEditingTest, KillPeak) {
    EXPECT_EQ(KillPeak(*state, input, settings), std::optional<std::string>("Nothing to delete!"));
    addPeak(1000, 960, 1040);
    addPeak(2000, 1960, 2040);
    selectPeak(*state, 2);
    EXPECT_FALSE(KillPeak(*state, input, settings));
    ASSERT_EQ(state->peaks.size(), 1u);
    EXPECT_EQ(state->selectedPeak, 1);
    EXPECT_TRUE(state->listCommandsEnabled);
    EXPECT_FALSE(KillPeak(*state, input, settings));
    EXPECT_TRUE(state->peaks.empty());
    EXPECT_FALSE(state->listCommandsEnabled);
}

// Region sums over b .. e as AddPeakAt makes them.
double regionNet(const std::vector<double>& counts, int b, int e) {
    double gross = 0;
    for (int k = b; k <= e; ++k) gross += counts[static_cast<std::size_t>(k)];
    double low = 0;
    double high = 0;
    for (int k = -2; k <= 2; ++k) {
        low += counts[static_cast<std::size_t>(b + k)];
        high += counts[static_cast<std::size_t>(e + k)];
    }
    return gross - (low / 5 + high / 5) / 2 * (e - b + 1);
}

TEST_F(PeakEditingTest, AddPeakAtQuantifiesEveryPeakByRegionSums) {
    addPeak(1000, 960, 1040);
    const double gaussianNet = state->peaks[0].netCounts;
    ASSERT_FALSE(AddPeakAt(*state, input, settings, 1999.6));
    ASSERT_EQ(state->peaks.size(), 2u);
    const FoundPeak& added = state->peaks[1];
    EXPECT_EQ(*added.centroidChannel, 2000);
    EXPECT_EQ(*added.centroidKeV, 1005);                   // 0.5 x 1999.6 + 5 to 4 digits
    // F = sqrt(1005) = 31.70 keV; region 1005 -+ 2.35 x F / 2 = 967.8 .. 1042
    EXPECT_EQ(added.regionStartKeV, 967.8);
    EXPECT_EQ(added.regionEndKeV, 1042);
    EXPECT_EQ(added.idWindowLowKeV, 980);                  // keV rule, +-25
    EXPECT_EQ(added.idWindowHighKeV, 1030);
    EXPECT_EQ(added.leftChannel, 1950);
    EXPECT_EQ(added.rightChannel, 2050);
    EXPECT_NEAR(added.netCounts, regionNet(counts, 1926, 2074), 1e-9);   // 967.8 -> 1925.6, 1042 -> 2074
    EXPECT_NEAR(added.netCounts, 500, 1e-9);
    EXPECT_NEAR(added.netCpm, 50, 1e-9);
    EXPECT_NEAR(added.grossCounts, 20 * 149 + 500, 1e-9);
    EXPECT_NEAR(state->peaks[0].netCounts, regionNet(counts, 960, 1040), 1e-9);   // region sums for all
    EXPECT_TRUE(state->peaksPresent);

    // One more edge move: Gaussian areas again.
    selectPeak(*state, 1);
    ASSERT_TRUE(MovePeak(*state, input, settings, PeakMove::RightEdgeUp));
    EXPECT_EQ(state->peaks[0].netCounts, gaussianNet);
}

TEST_F(PeakEditingTest, AddPeakAtFollowsTheIdentificationRule) {
    settings.idWindow.rule = IdWindowRule::Percent;
    ASSERT_FALSE(AddPeakAt(*state, input, settings, 1990));   // E = 1000
    EXPECT_DOUBLE_EQ(state->peaks[0].idWindowLowKeV, 970);
    EXPECT_DOUBLE_EQ(state->peaks[0].idWindowHighKeV, 1030);
    settings.idWindow.rule = IdWindowRule::Area;
    ASSERT_FALSE(AddPeakAt(*state, input, settings, 1990));
    EXPECT_EQ(state->peaks[1].idWindowLowKeV, state->peaks[1].regionStartKeV);
    settings.idWindow.rule = IdWindowRule::Fwhm;
    ASSERT_FALSE(AddPeakAt(*state, input, settings, 1990));
    EXPECT_NEAR(state->peaks[2].idWindowLowKeV, 1000 - std::sqrt(1000.0) / 2, 1e-9);
}

TEST_F(PeakEditingTest, AddPeakAtTheSpectrumEndFails) {
    EXPECT_EQ(AddPeakAt(*state, input, settings, 4094), std::optional<std::string>("Peak must be within spectrum!"));
    EXPECT_EQ(state->peaks.size(), 1u);   // what was added before the failure stays
    EXPECT_FALSE(state->peaksPresent);
}

TEST(PeakMoves, ControlsAndHints) {
    EXPECT_EQ(peakMoveControl(PeakMove::CentroidUp), "spdbtnCentroidUp");
    EXPECT_EQ(peakMoveHint(PeakMove::CentroidUp), "Move the centroid right by 1 channel.");
    EXPECT_EQ(peakMoveControl(PeakMove::RightEdgeUpUp), "spdbtnRightEdgeUpUp");
    EXPECT_EQ(peakMoveHint(PeakMove::LeftEdgeDownDown), "Lowers the peak's left edge by 10 channels.");
}

}  // namespace
}  // namespace mca
