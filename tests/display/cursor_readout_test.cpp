// The status-bar read-out: channel, energy and counts under the mouse, the ROI and found peak
// there, the end-of-tick refresh, and positions beyond the spectrum.
#include "display/cursor_readout.h"

#include "display_test_helpers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mca {
namespace {

using display_test::caseName;

using display_test::line;

class CursorReadoutTest : public ::testing::Test {
protected:
    CursorReadoutTest() {
        for (std::size_t i = 0; i < counts.size(); ++i) counts[i] = static_cast<double>(i % 100) + 0.4;
        context.calibration = line();
        context.channelCount = 1024;
        context.rois = rois;
        context.peaks = peaks;
    }

    ChannelValues counts{};
    std::vector<RoiSlot> rois{{"A", 10, 20, 15, 20}, {}, {"Late", 300, 310, 160, 165}};
    std::vector<FoundPeak> peaks{display_test::peak(7, 160.0, 302.0, 298, 306)};
    CursorContext context;
};

TEST_F(CursorReadoutTest, ChannelEnergyAndCounts) {
    const CursorReadout r = cursorReadout(context, counts, 100.4);
    EXPECT_EQ(r.channel, "100");
    EXPECT_EQ(r.energy, "60.2 keV");
    EXPECT_EQ(r.counts, "0 cnts");   // channel 100 holds 0.4
    EXPECT_EQ(r.roiName, "");
}

TEST_F(CursorReadoutTest, EnergyModesConvertThePosition) {
    context.mode = XAxisMode::MeV;
    const CursorReadout r = cursorReadout(context, counts, 661.7);   // channel 1303.4: beyond 1024
    EXPECT_EQ(r.channel, "");
    const CursorReadout inside = cursorReadout(context, counts, 60.2);
    EXPECT_EQ(inside.channel, "100");
    EXPECT_EQ(inside.energy, "0.0602 MeV");
}

TEST_F(CursorReadoutTest, NoCalibrationNoEnergy) {
    context.calibration = EnergyCalibration{};
    EXPECT_EQ(cursorReadout(context, counts, 50).energy, "");
}

struct BeyondCase {
    std::string name;
    std::optional<double> x;
};

class PositionsBeyondTheSpectrum : public CursorReadoutTest, public ::testing::WithParamInterface<BeyondCase> {};

TEST_P(PositionsBeyondTheSpectrum, ShowNothing) {
    const CursorReadout r = cursorReadout(context, counts, GetParam().x);
    EXPECT_EQ(r.channel, "");
    EXPECT_EQ(r.energy, "");
    EXPECT_EQ(r.counts, "");
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PositionsBeyondTheSpectrum,
    ::testing::Values(BeyondCase{"OutsideThePlot", std::nullopt}, BeyondCase{"Negative", -0.1},
                      BeyondCase{"AtChannelCount", 1024}, BeyondCase{"RoundsUpToChannelCount", 1023.7}),
    caseName<BeyondCase>);

struct OffsetCase {
    std::string name;
    int factor;
    int offset;
    double x;
    std::string counts;
};

class OffsetReadout : public CursorReadoutTest, public ::testing::WithParamInterface<OffsetCase> {};

TEST_P(OffsetReadout, ReadsTheChannelDrawnUnderTheMouse) {
    context.smoothFactor = GetParam().factor;
    context.offsetChannels = GetParam().offset;
    EXPECT_EQ(cursorReadout(context, counts, GetParam().x).counts, GetParam().counts);
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, OffsetReadout,
    ::testing::Values(OffsetCase{"NoOffset", 1, 0, 150, "50 cnts"},
                      OffsetCase{"PlusFiveFactor1", 1, 5, 150, "45 cnts"},
                      OffsetCase{"PlusFiveSmoothedIgnoresOffset", 8, 5, 150, "50 cnts"},
                      OffsetCase{"ShiftedFromBelowChannel0", 1, 100, 50, ""}),
    caseName<OffsetCase>);

TEST_F(CursorReadoutTest, RoiReadoutFindsRoisBeyondAnEmptySlot) {
    context.showRois = true;
    const CursorReadout r = cursorReadout(context, counts, 305);
    EXPECT_EQ(r.roiName, "Late");
    // Channels 300..310 hold 0.4 .. 10.4: 11 x 5.4 = 59.4.
    EXPECT_EQ(r.roiCounts, "59 cnts");
    context.showRois = false;
    EXPECT_EQ(cursorReadout(context, counts, 305).roiName, "");
}

TEST_F(CursorReadoutTest, PeakReadoutSumsRoundedCounts) {
    EXPECT_EQ(cursorReadout(context, counts, 300).peakNumber, "");
    context.showPeaks = true;
    const CursorReadout r = cursorReadout(context, counts, 300);
    EXPECT_EQ(r.peakNumber, "7");
    EXPECT_EQ(r.peakCounts, "218 cnts");   // channels 298..306 rounded: 98 + 99 + 0 + 1 + ... + 6
}

TEST_F(CursorReadoutTest, TickRefreshShowsTheDrawnTraceValue) {
    context.showRois = true;
    ChannelValues trace{};
    trace[15] = 77.6;
    CursorReadout shown = cursorReadout(context, counts, 15);
    shown = tickReadout(context, counts, trace, 15.0, shown);
    EXPECT_EQ(shown.counts, "78 cnts");
    EXPECT_EQ(shown.channel, "15");
    EXPECT_EQ(shown.roiName, "A");
    EXPECT_EQ(tickReadout(context, counts, trace, std::nullopt, shown).counts, "");
}

TEST(StatusCaptions, FixedPanels) {
    const auto captions = statusCaptions();
    EXPECT_EQ(captions[0], "Chn");
    EXPECT_EQ(captions[4], "ROI");
    EXPECT_EQ(captions[7], "Overall");
    EXPECT_EQ(captions[10], "Peak #");
    EXPECT_EQ(captions[13], "");
}

}  // namespace
}  // namespace mca
