// FindPeaks end to end on synthetic spectra: one peak, two peaks, channel counts, thresholds,
// the shape calibration's widths, ClearPeaks and the unattended summary.
#include "analysis/peak_search.h"

#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace mca {
namespace {

using peak_test::GaussianPeak;
using peak_test::inputFor;
using peak_test::syntheticSpectrum;

class PeakSearchTest : public ::testing::Test {
protected:
    std::unique_ptr<PeakAnalysis> state = std::make_unique<PeakAnalysis>();
    PeakSearchSettings settings;
};

TEST_F(PeakSearchTest, OneGaussianOnAFlatBackgroundGivesOnePeakAtItsCentroid) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    ASSERT_EQ(FindPeaks(*state, inputFor(counts, 4096), settings), 1);
    const FoundPeak& peak = state->peaks.front();
    EXPECT_NEAR(*peak.centroidChannel, 1000, 1);
    EXPECT_EQ(peak.number, 1);
    EXPECT_TRUE(state->peaksPresent);
    EXPECT_TRUE(state->listCommandsEnabled);
    EXPECT_EQ(state->foundPeakCount, 1);
    EXPECT_EQ(state->selectedPeak, 1);
    EXPECT_LT(peak.leftChannel, 1000);
    EXPECT_GT(peak.rightChannel, 1000);
    EXPECT_DOUBLE_EQ(*peak.centroidKeV, 505);                  // 0.5 x 1000 + 5
    EXPECT_NEAR(peak.netCounts, 10000, 1000);                  // the Gaussian area, roughly
    EXPECT_NEAR(peak.fwhm, 100 * std::sqrt(1000.0) / 1000, 1e-9);   // percent after re-analysis
    EXPECT_GT(peak.significance, 1);
    EXPECT_DOUBLE_EQ(peak.grossCounts, holdSignificant(peak.netCounts + peak.comptonCounts + peak.backgroundCounts, 6));
}

TEST_F(PeakSearchTest, AnEmptyOrFlatSpectrumFindsNothing) {
    const auto flat = syntheticSpectrum(4096, 10, {});
    EXPECT_EQ(FindPeaks(*state, inputFor(flat, 4096), settings), 0);
    EXPECT_TRUE(state->peaks.empty());
    EXPECT_FALSE(state->peaksPresent);
    EXPECT_FALSE(state->listCommandsEnabled);
    const std::vector<double> empty(4096, 0.0);
    EXPECT_EQ(FindPeaks(*state, inputFor(empty, 4096), settings), 0);
}

TEST_F(PeakSearchTest, TwoPeaks20ChannelsApartNear1000LeaveAtMostOne) {
    const auto counts = syntheticSpectrum(4096, 10, {{990, 5, 10000}, {1010, 5, 10000}});
    FindPeaks(*state, inputFor(counts, 4096), settings);
    int near1000 = 0;
    for (const FoundPeak& p : state->peaks) near1000 += std::abs(*p.centroidChannel - 1000) < 40 ? 1 : 0;
    EXPECT_LE(near1000, 1);
}

TEST_F(PeakSearchTest, WellSeparatedPeaksAreAllFoundInEnergyOrder) {
    const std::vector<GaussianPeak> truth{{300, 6, 8000}, {900, 9, 12000}, {1800, 13, 20000}, {3000, 17, 30000}};
    const auto counts = syntheticSpectrum(4096, 20, truth);
    ASSERT_EQ(FindPeaks(*state, inputFor(counts, 4096), settings), 4);
    for (std::size_t i = 0; i < truth.size(); ++i) {
        EXPECT_NEAR(*state->peaks[i].centroidChannel, truth[i].centre, 1) << i;
        EXPECT_EQ(state->peaks[i].number, static_cast<int>(i) + 1);
    }
}

TEST_F(PeakSearchTest, A512ChannelSpectrum) {
    const auto counts = syntheticSpectrum(512, 10, {{200, 4, 5000}});
    ASSERT_EQ(FindPeaks(*state, inputFor(counts, 512), settings), 1);
    EXPECT_NEAR(*state->peaks[0].centroidChannel, 200, 1);
    EXPECT_EQ(state->smoothedSpectrum[3], 0.0);   // smoothing A leaves entry 3 alone at 512
}

TEST_F(PeakSearchTest, TheBackgroundRateIsSubtractedAndCounted) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    const std::vector<double> rate(4096, 10.0 / 600);   // the whole flat part is background
    PeakAnalysisInput input = inputFor(counts, 4096);
    input.backgroundRate = rate;
    ASSERT_EQ(FindPeaks(*state, input, settings), 1);
    const FoundPeak& p = state->peaks[0];
    EXPECT_NEAR(p.backgroundCounts, 10.0 * (p.rightChannel - p.leftChannel + 1), 1e-6);
    EXPECT_NEAR(p.backgroundCpm, p.backgroundCounts / 10, 1e-6);
    EXPECT_NEAR(state->continuum[2000], 0, 1e-9);
}

TEST_F(PeakSearchTest, TheSummedModeAddsMca2) {
    const auto mca1 = syntheticSpectrum(4096, 5, {{1000, 10, 5000}});
    PeakAnalysisInput input = inputFor(mca1, 4096);
    input.summedSpectrum = mca1;
    FindPeaks(*state, input, settings);
    auto single = std::make_unique<PeakAnalysis>();
    const auto doubled = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    FindPeaks(*single, inputFor(doubled, 4096), settings);
    EXPECT_EQ(state->smoothedSpectrum, single->smoothedSpectrum);
}

TEST_F(PeakSearchTest, ASignificanceAboveEveryPeakEmptiesTheList) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    settings.minSignificance = 1000;
    EXPECT_EQ(FindPeaks(*state, inputFor(counts, 4096), settings), 0);
}

TEST_F(PeakSearchTest, TheShapeCalibrationGivesTheRegionWidth) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    PeakAnalysisInput input = inputFor(counts, 4096);
    input.shape.valid = true;
    input.shape.fwhmAtChannel = [](double) { return 23.55; };
    ASSERT_EQ(FindPeaks(*state, input, settings), 1);
    // sigma 10, w = 55.94: L = u - 27, R = u + 28
    EXPECT_EQ(state->peaks[0].leftChannel, 973);
    EXPECT_EQ(state->peaks[0].rightChannel, 1028);
    EXPECT_NEAR(state->peaks[0].fwhm, 2.355, 1e-12);   // 23.55 x 100 / 1000
    // chkG off: the shape calibration is not used.
    settings.useShapeCalibration = false;
    FindPeaks(*state, input, settings);
    EXPECT_NE(state->peaks[0].leftChannel, 973);
}

TEST_F(PeakSearchTest, ClearPeaksEmptiesEverything) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    FindPeaks(*state, inputFor(counts, 4096), settings);
    state->selectedPeak = 3;
    ClearPeaks(*state);
    EXPECT_TRUE(state->peaks.empty());
    EXPECT_FALSE(state->peaksPresent);
    EXPECT_FALSE(state->listCommandsEnabled);
    EXPECT_EQ(state->selectedPeak, 1);
    EXPECT_EQ(state->smoothedSpectrum[1000], 0);
    EXPECT_EQ(state->continuum[1000], 0);
    EXPECT_EQ(state->fitCurves.sum[1000], 0);
}

TEST_F(PeakSearchTest, PlotsKeepTheArraysAsBuilt) {
    const auto counts = syntheticSpectrum(4096, 10, {{1000, 10, 10000}});
    FindPeaks(*state, inputFor(counts, 4096), settings);
    const std::vector<double> plot = secondDerivativePlot(*state);
    ASSERT_EQ(plot.size(), 4095u);
    EXPECT_GT(plot[1000], 10.0);   // -10 x a dip below -1
    EXPECT_GT(state->weighted[1000], 0.0);
    ASSERT_FALSE(state->dipChannels.empty());
    EXPECT_NEAR(state->dipChannels.front(), 1000, 3);
}

TEST_F(PeakSearchTest, UnattendedSummaryListsByNetRateAndRestoresEnergyOrder) {
    const auto counts = syntheticSpectrum(4096, 10, {{600, 8, 4000}, {1500, 12, 40000}});
    ASSERT_EQ(FindPeaks(*state, inputFor(counts, 4096, 125.7), settings), 2);
    state->peaks[1].label = "Cs-137";
    std::vector<double> logged;
    const auto lines = unattendedSummary(*state, 125.7, [&](const FoundPeakList& peaks) {
        for (const FoundPeak& p : peaks) logged.push_back(*p.centroidChannel);
    });
    ASSERT_EQ(lines.size(), 2u + 2 * 6);
    EXPECT_EQ(lines[0], "Acquisition time = 125 sec");
    EXPECT_EQ(lines[1], "Num peaks = 2");
    EXPECT_EQ(lines[2], "Peak Energy 1 = 755");
    EXPECT_EQ(lines[3], "Peak Chn = 1500");
    EXPECT_EQ(lines[4], "Peak ID = Cs-137");
    EXPECT_EQ(lines[5].rfind("ncpm = ", 0), 0u);
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Peak Energy 2 = 305");
    EXPECT_EQ(logged, (std::vector<double>{1500, 600}));
    EXPECT_EQ(*state->peaks[0].centroidChannel, 600);
}

TEST_F(PeakSearchTest, UnattendedSummaryWithNoPeakStillLogs) {
    bool logged = false;
    const auto lines = unattendedSummary(*state, 60, [&](const FoundPeakList&) { logged = true; });
    EXPECT_EQ(lines, (std::vector<std::string>{"Acquisition time = 60 sec", "Num peaks = 0"}));
    EXPECT_TRUE(logged);
}

}  // namespace
}  // namespace mca
