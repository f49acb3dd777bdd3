// ReanalysePeaks: baselines from the rounded continuum, the Gaussian area, the widths, deletion
// below the minimum significance and the fit curves.
#include "analysis/peak_reanalysis.h"

#include "analysis/peak_search.h"
#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace mca {
namespace {

using peak_test::inputFor;

// A hand-made state: SmoothedSpectrum = 20 per channel plus Gaussians of height 500 and sigma
// 8.5 at the given centroids; Continuum = 20.4 everywhere (rounds to 20).
class ReanalysisTest : public ::testing::Test {
protected:
    void addPeak(double c, int left, int right) {
        for (int k = left - 20; k <= right + 20; ++k) {
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
    }

    ReanalysisTest() {
        state->smoothedSpectrum.fill(20);
        state->continuum.fill(20.4);
        input = inputFor(counts, 4096, 600);
    }

    std::vector<double> counts = std::vector<double>(4096, 20.0);
    std::unique_ptr<PeakAnalysis> state = std::make_unique<PeakAnalysis>();
    PeakAnalysisInput input;
    PeakSearchSettings settings;
};

TEST_F(ReanalysisTest, WithoutShapeCalibrationAPeakAt400HasFwhm20AndField5) {
    addPeak(400, 370, 430);
    ReanalysePeaks(*state, input, settings);
    ASSERT_EQ(state->peaks.size(), 1u);
    const FoundPeak& p = state->peaks[0];
    EXPECT_DOUBLE_EQ(p.fwhm, 5.0);   // sqrt(400) x 1 = 20 channels, x 100 / 400
    EXPECT_EQ(p.baselineStartHeight, 20);
    EXPECT_EQ(p.leftEdgeHeight, 20);
    EXPECT_EQ(p.baselineEndHeight, 20);
    EXPECT_EQ(p.rightEdgeHeight, 20);
    // h = 500, sigma = 20 / 2.355: A V >= 500 with A on the 0.1 grid.
    const double v = 1 / std::sqrt(2 * std::numbers::pi * std::pow(20 / 2.355, 2));
    EXPECT_NEAR(p.netCounts, 500 / v, 0.1);
    EXPECT_TRUE(state->listCommandsEnabled);
}

TEST_F(ReanalysisTest, ComptonUsesTheSmoothedSpectrumAtTheBaselineEnds) {
    addPeak(1000, 960, 1040);
    ReanalysePeaks(*state, input, settings);
    // Smoothed at 960 and 1040 is 20 plus a Gaussian tail of about 500 exp(-800/144.5).
    const double end = 20 + 500 * std::exp(-40.0 * 40 / (2 * 8.5 * 8.5));
    EXPECT_NEAR(state->peaks[0].comptonCounts, end * 81, 0.01);
    EXPECT_NEAR(state->peaks[0].comptonCpm, end * 81 / 10, 0.01);
}

TEST_F(ReanalysisTest, ShapeCalibrationAndGaussMult) {
    addPeak(1000, 960, 1040);
    input.shape.valid = true;
    input.shape.fwhmAtChannel = [](double channel) { return channel / 50; };   // 20 at 1000
    ReanalysePeaks(*state, input, settings);
    EXPECT_DOUBLE_EQ(state->peaks[0].fwhm, 2.0);
    const double withBaseline20 = state->peaks[0].netCounts;
    settings.gaussMult = 0.5;   // baseline at 10: h grows by 10
    ReanalysePeaks(*state, input, settings);
    EXPECT_GT(state->peaks[0].netCounts, withBaseline20);
}

TEST_F(ReanalysisTest, PeaksBelowTheMinimumSignificanceAreDropped) {
    addPeak(1000, 960, 1040);
    addPeak(2000, 1960, 2040);
    state->continuum[2040] = 5000;   // a baseline end far above the peak: h <= 0
    ReanalysePeaks(*state, input, settings);
    ASSERT_EQ(state->peaks.size(), 1u);
    EXPECT_EQ(*state->peaks[0].centroidChannel, 1000);
    EXPECT_EQ(state->peaks[0].number, 1);
}

TEST_F(ReanalysisTest, SignificanceZeroKeepsEveryPeak) {
    addPeak(2000, 1960, 2040);
    state->continuum[2040] = 5000;
    settings.minSignificance = 0;
    ReanalysePeaks(*state, input, settings);
    ASSERT_EQ(state->peaks.size(), 1u);
    EXPECT_EQ(state->peaks[0].netCounts, 0.1);
}

TEST_F(ReanalysisTest, TouchingPeaksShareOneBaseline) {
    addPeak(1000, 960, 1040);
    addPeak(1070, 1040, 1100);
    state->continuum[1100] = 30;
    ReanalysePeaks(*state, input, settings);
    ASSERT_EQ(state->peaks.size(), 2u);
    for (const FoundPeak& p : state->peaks) {
        EXPECT_EQ(p.baselineStartChannel, 960);
        EXPECT_EQ(p.baselineEndChannel, 1100);
        EXPECT_EQ(p.baselineEndHeight, 30);
    }
    EXPECT_EQ(state->peaks[0].rightEdgeHeight, 20);   // the edge heights stay the peak's own
}

TEST_F(ReanalysisTest, SortsByEnergyFirst) {
    addPeak(2000, 1960, 2040);
    addPeak(1000, 960, 1040);
    ReanalysePeaks(*state, input, settings);
    EXPECT_EQ(*state->peaks[0].centroidChannel, 1000);
    EXPECT_EQ(state->peaks[1].number, 2);
}

TEST_F(ReanalysisTest, AnEmptyListDoesNothing) {
    ReanalysePeaks(*state, input, settings);
    EXPECT_FALSE(state->listCommandsEnabled);
}

TEST_F(ReanalysisTest, FitCurvesAlternateAndSum) {
    addPeak(500, 470, 530);
    addPeak(1000, 960, 1040);
    addPeak(1500, 1460, 1540);
    ReanalysePeaks(*state, input, settings);
    ASSERT_EQ(state->peaks.size(), 3u);
    const GaussFitCurves& curves = state->fitCurves;
    // From the last: position 3 (odd, toggle 1) -> curve 3; 2 (even, toggle 1) -> 0, then the
    // toggle flips; 1 (odd, toggle 0) -> 2.
    EXPECT_GT(curves.peaks[3][1500], 0);
    EXPECT_GT(curves.peaks[0][1000], 0);
    EXPECT_GT(curves.peaks[2][500], 0);
    EXPECT_EQ(curves.peaks[1][1000], 0);
    EXPECT_DOUBLE_EQ(curves.baseline[1000], 20);
    const double a = state->peaks[1].netCounts;
    const double sigma = std::sqrt(1000.0) / 2.355;
    EXPECT_NEAR(curves.sum[1000], a / std::sqrt(2 * std::numbers::pi * sigma * sigma), 1e-9);
    EXPECT_DOUBLE_EQ(curves.peaks[0][1000], curves.baseline[1000] + curves.sum[1000]);
    EXPECT_EQ(curves.baseline[1100], 0);

    const GaussFitPlot plot = gaussFitPlot(curves, [](int channel) { return channel * 0.5 + 5; });
    ASSERT_EQ(plot.baseline.size(), 3u);          // three runs with gaps between
    EXPECT_EQ(plot.baseline[1].front().x, 485);   // channel 960
    EXPECT_EQ(plot.baseline[1].size(), 81u);
    EXPECT_EQ(plot.peaks[1].size(), 0u);
}

TEST(AlternatingCurves, ParityAndToggle) {
    EXPECT_EQ(alternatingCurveIndex(2, true), 0);
    EXPECT_EQ(alternatingCurveIndex(4, false), 1);
    EXPECT_EQ(alternatingCurveIndex(3, false), 2);
    EXPECT_EQ(alternatingCurveIndex(1, true), 3);
}

}  // namespace
}  // namespace mca
