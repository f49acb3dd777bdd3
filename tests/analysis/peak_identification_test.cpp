// Identification windows by rule, the labels they lead to, and the rule's settings.
#include "analysis/peak_identification.h"

#include "analysis/peak_labels.h"
#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace mca {
namespace {

FoundPeak peakAt(double keV, double regionStart = 0, double regionEnd = 0) {
    FoundPeak p;
    p.centroidKeV = keV;
    p.centroidChannel = keV;
    p.regionStartKeV = regionStart;
    p.regionEndKeV = regionEnd;
    return p;
}

IdentificationSettings rule(IdWindowRule r, double keV = 15, double percent = 3, double fwhmMult = 1) {
    IdentificationSettings id;
    id.window = {r, keV, percent};
    id.fwhmMult = fwhmMult;
    return id;
}

struct WindowCase {
    const char* name;
    IdentificationSettings id;
    double sqrtToFwhm;
    double expectLow;
    double expectHigh;
};

TEST(IdentificationWindow, EachRuleGivesItsWindowHeldToFourDigits) {
    const std::vector<WindowCase> cases{
        {"keV", rule(IdWindowRule::KeV, 15), 1, 646.7, 676.7},
        {"percent 3: 641.849 and 681.551", rule(IdWindowRule::Percent, 15, 3), 1, 641.8, 681.6},
        // sqrt(661.7) = 25.7235: 661.7 -+ 12.86
        {"FWHM x1", rule(IdWindowRule::Fwhm, 15, 3, 1), 1, 648.8, 674.6},
        {"FWHM x2, multiplier 0.5", rule(IdWindowRule::Fwhm, 15, 3, 2), 0.5, 648.8, 674.6},
        // Area rule ends are the region energies at full precision.
        {"area", rule(IdWindowRule::Area), 1, 640.123456, 683.987654},
    };
    for (const WindowCase& c : cases) {
        PeakAnalysisInput input;
        input.multipliers.sqrtToFwhm = c.sqrtToFwhm;
        const IdWindowKeV w = identificationWindow(peakAt(661.7, 640.123456, 683.987654), c.id, input);
        EXPECT_DOUBLE_EQ(w.lowKeV, c.expectLow) << c.name;
        EXPECT_DOUBLE_EQ(w.highKeV, c.expectHigh) << c.name;
    }
}

// With a shape calibration the FWHM function is read at the energy's channel and its width in
// channels converted to keV: 20 channels at 0.5 keV per channel is 10 keV.
TEST(IdentificationWindow, FwhmRuleUsesTheShapeCalibrationOnChannels) {
    PeakAnalysisInput input;
    input.calibration = peak_test::linearCalibration(0.5, 5.0);
    input.channelCount = 4096;
    double askedChannel = -1;
    input.shape.valid = true;
    input.shape.fwhmAtChannel = [&](double ch) {
        askedChannel = ch;
        return 20.0;
    };
    const IdWindowKeV w = identificationWindow(peakAt(505), rule(IdWindowRule::Fwhm), input);
    EXPECT_DOUBLE_EQ(askedChannel, 1000);
    EXPECT_DOUBLE_EQ(w.lowKeV, 500);
    EXPECT_DOUBLE_EQ(w.highKeV, 510);
}

std::vector<SearchRow> library() {
    return {
        {"Cs-137", "661.66", "661.66", "0.8499", "84.99"},
        {"Co-60", "1332.492", "1173.228", "0.999826", "99.9826"},
        {"Na-22", "1274.537", "511", "0.9994", "99.94"},
    };
}

std::vector<std::string> labelsOf(const FoundPeakList& peaks) {
    std::vector<std::string> labels;
    for (const FoundPeak& p : peaks) labels.push_back(p.label);
    return labels;
}

TEST(IdentifyPeaks, LabelsPrimarySecondaryAndUnmatchedPeaks) {
    PeakAnalysis state;
    state.peaksPresent = true;
    // Unsorted on purpose: identification sorts by energy first.
    state.peaks = {peakAt(1332.0), peakAt(661.7), peakAt(1173.5), peakAt(1274.0), peakAt(300.2)};
    const std::vector<SearchRow> lib = library();
    const auto skipped = IdentifyPeaks(state, PeakAnalysisInput{}, rule(IdWindowRule::KeV, 15), lib);
    EXPECT_TRUE(skipped.empty());
    // Cs-137 once and without the mark (both its lines are one); Co-60 on its primary and marked
    // on its secondary peak; Na-22 has no 511 keV peak, so its primary peak stays unmatched.
    EXPECT_EQ(labelsOf(state.peaks),
              (std::vector<std::string>{"300.2 keV\r", "Cs-137\r", "Co-60²\r", "1274 keV\r", "Co-60\r"}));
    EXPECT_EQ(state.peaks[0].number, 1);
    EXPECT_EQ(state.peaks[4].number, 5);
    EXPECT_DOUBLE_EQ(state.peaks[1].idWindowLowKeV, 646.7);
}

TEST(IdentifyPeaks, AnotherRuleRelabelsWithoutASearch) {
    PeakAnalysis state;
    state.peaksPresent = true;
    state.peaks = {peakAt(650.0), peakAt(1320.0), peakAt(1165.0)};
    const std::vector<SearchRow> lib = library();
    IdentifyPeaks(state, PeakAnalysisInput{}, rule(IdWindowRule::KeV, 15), lib);
    EXPECT_EQ(labelsOf(state.peaks), (std::vector<std::string>{"Cs-137\r", "Co-60²\r", "Co-60\r"}));
    // 0.5 % of 650 is 3.25 keV: no line falls into any window now.
    IdentifyPeaks(state, PeakAnalysisInput{}, rule(IdWindowRule::Percent, 15, 0.5), lib);
    EXPECT_EQ(labelsOf(state.peaks), (std::vector<std::string>{"650 keV\r", "1165 keV\r", "1320 keV\r"}));
}

TEST(IdentifyPeaks, OnePeakHoldingBothLinesIsMarkedOnceWithoutTheSecondaryMark) {
    FoundPeakList peaks{peakAt(1250.0)};
    const std::vector<SearchRow> lib = library();
    IdentifyPeaks(peaks, PeakAnalysisInput{}, rule(IdWindowRule::KeV, 800), lib);
    EXPECT_EQ(peaks[0].label, "Cs-137\rCo-60\rNa-22\r");
}

// Two peaks hold Co-60's primary line: the peak holding the secondary is marked once, not twice.
TEST(IdentifyPeaks, SeveralPrimaryPeaksMarkTheSecondaryPeakOnce) {
    FoundPeakList peaks{peakAt(1165.0), peakAt(1325.0), peakAt(1340.0)};
    const std::vector<SearchRow> lib = library();
    IdentifyPeaks(peaks, PeakAnalysisInput{}, rule(IdWindowRule::KeV, 15), lib);
    EXPECT_EQ(labelsOf(peaks), (std::vector<std::string>{"Co-60²\r", "Co-60\r", "Co-60\r"}));
}

TEST(IdentifyPeaks, NothingHappensWithoutPeaks) {
    PeakAnalysis state;
    state.peaks = {peakAt(661.7)};   // peaks-present flag not set
    const std::vector<SearchRow> lib = library();
    IdentifyPeaks(state, PeakAnalysisInput{}, rule(IdWindowRule::KeV), lib);
    EXPECT_EQ(state.peaks[0].label, "");
    FoundPeakList none;
    EXPECT_TRUE(IdentifyPeaks(none, PeakAnalysisInput{}, rule(IdWindowRule::KeV), lib).empty());
}

// A nuclide without a secondary line cannot be matched; the nuclides after it are still labelled.
TEST(LabelPeaks, ANuclideWithoutBothEnergiesIsSkippedNotFatal) {
    FoundPeakList peaks{peakAt(661.7), peakAt(1460.0)};
    for (FoundPeak& p : peaks) {
        p.idWindowLowKeV = *p.centroidKeV - 10;
        p.idWindowHighKeV = *p.centroidKeV + 10;
    }
    const std::vector<SearchRow> lib{{"Cs-137", "661.66", "", "0.85", "85"}, {"K-40", "1460.8", "1460.8", "0.1066", "10.66"}};
    EXPECT_EQ(LabelPeaks(peaks, lib), std::vector<std::string>{"Cs-137"});
    EXPECT_EQ(labelsOf(peaks), (std::vector<std::string>{"661.7 keV\r", "K-40\r"}));
}

TEST(PeakLabelTexts, EntriesPrimaryNamesAndTheReportLine) {
    const std::string label = "Co-60\rNa-22²\r";
    EXPECT_EQ(labelEntries(label), (std::vector<std::string>{"Co-60", "Na-22²"}));
    EXPECT_EQ(primaryLabelEntries(label), std::vector<std::string>{"Co-60"});
    EXPECT_EQ(primaryLabelEntries("1274 keV\r"), std::vector<std::string>{});
    EXPECT_EQ(labelAsLine(label), "Co-60, Na-22²");
    EXPECT_FALSE(isUnidentifiedLabel(label));
    EXPECT_TRUE(isUnidentifiedLabel("1274 keV\r"));
    EXPECT_FALSE(isUnidentifiedLabel(""));
}

TEST(IdentificationSettings, StoreRoundTripAndFwhmMultiplier) {
    Settings stored;
    EXPECT_EQ(identificationSettingsFrom(stored).window.rule, IdWindowRule::KeV);
    EXPECT_DOUBLE_EQ(identificationSettingsFrom(stored).window.keVSpread, 25);
    IdentificationSettings id;
    id.window = {IdWindowRule::Area, 12.5, 4};
    storeIdentificationSettings(id, stored);
    EXPECT_FALSE(stored.searchByKeV);
    EXPECT_TRUE(stored.searchByArea);
    const IdentificationSettings back = identificationSettingsFrom(stored);
    EXPECT_EQ(back.window.rule, IdWindowRule::Area);
    EXPECT_DOUBLE_EQ(back.window.keVSpread, 12.5);
    EXPECT_DOUBLE_EQ(back.window.percentSpread, 4);

    setFwhmMult(id, 7);
    EXPECT_EQ(id.window.rule, IdWindowRule::Fwhm);
    EXPECT_DOUBLE_EQ(id.fwhmMult, 5);
    setFwhmMult(id, 0);
    EXPECT_DOUBLE_EQ(id.fwhmMult, 0.01);
}

}  // namespace
}  // namespace mca
