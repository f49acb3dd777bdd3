// Gaussian amplitude search, critical level, baseline line and the preliminary quantification.
#include "analysis/peak_quantification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

namespace mca {
namespace {

TEST(GaussianAmplitude, MatchesTheHeightWithinOneTenth) {
    const double v = unitGaussianHeight(23.55);   // sigma 10
    EXPECT_NEAR(v, 1 / (10 * std::sqrt(2 * std::numbers::pi)), 1e-12);
    const double a = gaussianAmplitude(1234.56 * v, v);
    EXPECT_GE(a * v, 1234.56 * v);
    EXPECT_NEAR(a, 1234.6, 0.1 + 1e-9);
}

TEST(GaussianAmplitude, SameAsTheStepByStepSearch) {
    const double v = unitGaussianHeight(31.6);
    for (double h : {0.01, 0.5, 3.0, 17.3, 250.0, 9999.9}) {
        double a = 0;
        while (a * v < h) a += 10;
        while (a * v > h && a * v > 0) a -= 1;
        while (a * v < h) a += 0.1;
        EXPECT_EQ(gaussianAmplitude(h, v), a) << h;
    }
}

TEST(GaussianAmplitude, ANonPositiveNetHeightGivesOneTenth) {
    EXPECT_EQ(gaussianAmplitude(0, 0.04), 0.1);
    EXPECT_EQ(gaussianAmplitude(-25, 0.04), 0.1);
}

TEST(CriticalLevel, IsTwoPoint33RootOfTheRateOverMinutes) {
    // (30 + 10) cpm over 10 minutes: 2.33 x 2
    EXPECT_DOUBLE_EQ(criticalLevelCpm(30, 10, 600), 2.33 * 2);
}

TEST(BaselineLine, TwoPointFitAndComptonSum) {
    const BaselineLine line = baselineThrough(10, 100, 20, 200);
    EXPECT_DOUBLE_EQ(line.at(15), 150);
    EXPECT_DOUBLE_EQ(comptonUnder(line, 10, 12), 100 + 110 + 120);
    EXPECT_EQ(comptonUnder(baselineThrough(0, -5, 10, -5), 0, 10), 0);
    EXPECT_DOUBLE_EQ(baselineThrough(5, 7, 5, 9).at(100), 7);   // one x: flat at the first height
}

class PreliminaryQuantification : public ::testing::Test {
protected:
    PreliminaryQuantification() {
        smoothed->fill(10);
        continuum->fill(10);
        for (int k = 980; k <= 1020; ++k) {
            (*smoothed)[static_cast<std::size_t>(k)] += 400 * std::exp(-(k - 1000) * (k - 1000) / 200.0);
        }
        peak.centroidChannel = 1000;
        peak.fwhm = 23.55;
        peak.leftChannel = peak.baselineStartChannel = 970;
        peak.rightChannel = peak.baselineEndChannel = 1030;
    }
    std::unique_ptr<PeakArray> smoothed = std::make_unique<PeakArray>();
    std::unique_ptr<PeakArray> continuum = std::make_unique<PeakArray>();
    FoundPeak peak;
};

TEST_F(PreliminaryQuantification, AreaComptonCriticalLevelAndSignificance) {
    FoundPeakList peaks{peak};
    quantifyPreliminary(peaks, *smoothed, *continuum, 600, 1.0);
    ASSERT_EQ(peaks.size(), 1u);
    const FoundPeak& p = peaks[0];
    EXPECT_NEAR(p.netCounts, 400 * 10 * std::sqrt(2 * std::numbers::pi), 0.2);
    EXPECT_DOUBLE_EQ(p.comptonCounts, 610);   // 61 channels of 10
    EXPECT_DOUBLE_EQ(p.comptonCpm, 61);
    EXPECT_DOUBLE_EQ(p.criticalLevelCpm, holdSignificant(2.33 * std::sqrt(61 / 10.0), 6));
    EXPECT_NEAR(p.grossCounts, p.netCounts + 610, 0.01);
    EXPECT_NEAR(p.significance, p.netCpm / (2.33 * std::sqrt(6.1)), 1e-3);
}

TEST_F(PreliminaryQuantification, ANonPositiveNetHeightGetsNetCountsOneTenth) {
    (*continuum)[1000] = 1000;
    FoundPeakList peaks{peak};
    quantifyPreliminary(peaks, *smoothed, *continuum, 600, 0.0);
    ASSERT_EQ(peaks.size(), 1u);
    EXPECT_EQ(peaks[0].netCounts, 0.1);
}

TEST_F(PreliminaryQuantification, SignificanceZeroRemovesNothing) {
    (*continuum)[1000] = 1000;   // a hopeless peak
    FoundPeakList peaks{peak};
    quantifyPreliminary(peaks, *smoothed, *continuum, 600, 0.0);
    EXPECT_EQ(peaks.size(), 1u);
    quantifyPreliminary(peaks, *smoothed, *continuum, 600, 1.0);
    EXPECT_TRUE(peaks.empty());
}

}  // namespace
}  // namespace mca
