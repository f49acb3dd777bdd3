// Peak-panel settings: the form's values, the stored keys, the spin-button steps and Defaults.
#include "analysis/peak_search_settings.h"

#include "analysis/found_peak.h"
#include "analysis/peak_inputs.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

TEST(PeakSearchSettings, FormInitialValues) {
    const PeakSearchSettings panel;
    EXPECT_EQ(panel.sensitivity, 1.0);
    EXPECT_EQ(panel.minSignificance, 1.0);
    EXPECT_EQ(panel.lowCutoffChannel, 10);
    EXPECT_EQ(panel.smoothWidth, 14);
    EXPECT_EQ(panel.expandExponent(), 0.5);
    EXPECT_TRUE(panel.useShapeCalibration);
    EXPECT_EQ(panel.slopeLimit, 0.0);
    EXPECT_EQ(panel.gaussMult, 1.0);
    EXPECT_FALSE(panel.allowPeakEdit);
    EXPECT_FALSE(panel.allowAddPeak);
}

TEST(PeakSearchSettings, StoredValuesOverrideTheForm) {
    Settings stored;
    stored.sensitivity = 2.5;
    stored.significance = 3;
    stored.smooth = 20;
    stored.cutoffChannel = 40;
    stored.searchByKeV = false;
    stored.searchByPercent = true;
    stored.percentOfCentroid = 4;
    const PeakSearchSettings panel = peakSearchSettingsFrom(stored);
    EXPECT_EQ(panel.sensitivity, 2.5);
    EXPECT_EQ(panel.minSignificance, 3);
    EXPECT_EQ(panel.smoothWidth, 20);
    EXPECT_EQ(panel.lowCutoffChannel, 40);
    EXPECT_EQ(panel.idWindow.rule, IdWindowRule::Percent);
    EXPECT_EQ(panel.idWindow.percentSpread, 4);
    Settings back;
    storePeakSearchSettings(panel, back);
    EXPECT_EQ(back.sensitivity, 2.5);
    EXPECT_EQ(back.significance, 3);
    EXPECT_EQ(back.smooth, 20);
    EXPECT_EQ(back.cutoffChannel, 40);
}

struct StepCase {
    double value;
    double up;
    double down;
};

class SensitivitySteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(SensitivitySteps, StepBySize) {
    EXPECT_DOUBLE_EQ(sensitivityStepUp(GetParam().value), GetParam().up);
    EXPECT_DOUBLE_EQ(sensitivityStepDown(GetParam().value), GetParam().down);
}

INSTANTIATE_TEST_SUITE_P(Values, SensitivitySteps,
                         ::testing::Values(StepCase{0.05, 0.06, 0.04}, StepCase{0.1, 0.2, 0.09},
                                           StepCase{0.5, 0.6, 0.4}, StepCase{1.0, 2.0, 0.9},
                                           StepCase{3.0, 4.0, 2.0}, StepCase{-1.0, -0.99, -2.0},
                                           StepCase{-2.0, -1.0, -3.0}));

TEST(SignificanceSteps, StepBySizeAndStopAtZero) {
    EXPECT_DOUBLE_EQ(significanceStepUp(1), 2);
    EXPECT_DOUBLE_EQ(significanceStepUp(0.5), 0.6);
    EXPECT_DOUBLE_EQ(significanceStepDown(2), 1);
    EXPECT_DOUBLE_EQ(significanceStepDown(1), 0.9);
    EXPECT_DOUBLE_EQ(significanceStepDown(0.05), 0);
    EXPECT_DOUBLE_EQ(significanceStepDown(0), 0);
}

TEST(PeakPanelDefaults, SmoothingWidthAndIdentificationSpreads) {
    PeakSearchSettings panel;
    panel.smoothWidth = 60;
    panel.idWindow.keVSpread = 40;
    panel.idWindow.percentSpread = 9;
    applyPeakPanelDefaults(panel);
    EXPECT_EQ(panel.smoothWidth, 14);
    EXPECT_EQ(panel.idWindow.keVSpread, 15);
    EXPECT_EQ(panel.idWindow.percentSpread, 3);
}

TEST(FoundPeakList, HeldDigitsAndSorting) {
    EXPECT_EQ(holdSignificant(661.657, 4), 661.7);
    EXPECT_EQ(holdSignificant(1234567.0, 6), 1234570.0);
    FoundPeakList peaks(3);
    peaks[0].centroidKeV = 900;
    peaks[1].centroidKeV.reset();
    peaks[2].centroidKeV = 100;
    sortByCentroidEnergy(peaks);
    renumberPeaks(peaks);
    EXPECT_EQ(*peaks[0].centroidKeV, 100);
    EXPECT_EQ(*peaks[1].centroidKeV, 900);
    EXPECT_FALSE(peaks[2].centroidKeV);
    EXPECT_EQ(peaks[2].number, 3);
}

TEST(DetectorPeakMultipliers, EmptyFieldsGetTheirDefaultsFirst) {
    DetectorRecord record;
    const DetectorPeakMultipliers empty = detectorPeakMultipliers(record);
    EXPECT_EQ(empty.sqrtToFwhm, 1.0);
    EXPECT_EQ(empty.fwhmToPeak, 2.35);
    EXPECT_EQ(record[field::kSqrtToFwhm], "1");
    EXPECT_EQ(record[field::kFwhmToPeak], "2.35");
    record[field::kSqrtToFwhm] = "1.8";
    record[field::kFwhmToPeak] = "3.5";
    const DetectorPeakMultipliers set = detectorPeakMultipliers(record);
    EXPECT_EQ(set.sqrtToFwhm, 1.8);
    EXPECT_EQ(set.fwhmToPeak, 3.5);
}

}  // namespace
}  // namespace mca
