// ROI shading spans, the selected ROI, found-peak shading and the peak-marker bars.
#include "display/roi_shading.h"

#include "display/peak_overlay.h"

#include "display_test_helpers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mca {
namespace {

using display_test::caseName;

RoiSlot roi(std::string name, double start, double end) {
    return {std::move(name), start, end, start * 0.5, end * 0.5};
}

TEST(RoiShading, RoiFrom100To110ColoursChannels101To110) {
    const std::vector<RoiSlot> slots{roi("Cs", 100, 110)};
    const auto spans = roiShading(slots, true);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(spans[0], (ChannelSpan{101, 110}));
    EXPECT_TRUE(roiShading(slots, false).empty());
}

struct ShadingCase {
    std::string name;
    std::vector<RoiSlot> slots;
    std::size_t shaded;
};

class RoiShadingEnds : public ::testing::TestWithParam<ShadingCase> {};

TEST_P(RoiShadingEnds, StopsAtTheFirstUnusableSlot) {
    EXPECT_EQ(roiShading(GetParam().slots, true).size(), GetParam().shaded);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, RoiShadingEnds,
    ::testing::Values(
        ShadingCase{"EmptySlot3HidesLaterRois",
                    {roi("A", 10, 20), roi("B", 30, 40), RoiSlot{}, roi("D", 50, 60)}, 2},
        ShadingCase{"FractionalChannelEndsShading",
                    {roi("A", 10, 20), roi("B", 30.5, 40), roi("C", 50, 60)}, 1},
        ShadingCase{"MissingEndChannelEndsShading",
                    {roi("A", 10, 20), RoiSlot{"B", 30, std::nullopt, 15, 20}, roi("C", 50, 60)}, 1},
        ShadingCase{"EmptyFirstSlotShadesNothing", {RoiSlot{}, roi("B", 30, 40)}, 0},
        ShadingCase{"AtMostFiftySlots", std::vector<RoiSlot>(60, roi("X", 10, 20)), 50}),
    caseName<ShadingCase>);

TEST(RoiShading, EnergyModesPlaceTheSpanAtItsEnergies) {
    const EnergyCalibration cal = display_test::line();
    const AxisRange r = spanPositions({101, 110}, XAxisMode::KeV, cal);
    EXPECT_DOUBLE_EQ(r.lower, 60.5);
    EXPECT_DOUBLE_EQ(r.upper, 65);
}

struct SelectedCase {
    std::string name;
    SelectedRoiView view;
    std::optional<ChannelSpan> expected;
};

class SelectedRoi : public ::testing::TestWithParam<SelectedCase> {};

TEST_P(SelectedRoi, ComesFromTheEditingOrTheAnalysisPanel) {
    const auto got = selectedRoiShading(GetParam().view);
    ASSERT_EQ(got.has_value(), GetParam().expected.has_value());
    if (got) {
        EXPECT_EQ(*got, *GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, SelectedRoi,
    ::testing::Values(
        SelectedCase{"EditedRoi", {true, roi("E", 200, 220), false, std::nullopt}, ChannelSpan{201, 220}},
        SelectedCase{"EditedRoiWithZeroEnergyFallsBackToAnalysis",
                     {true, RoiSlot{"E", 200, 220, 0, 110}, true, roi("A", 50, 60)}, ChannelSpan{51, 60}},
        SelectedCase{"EditingPanelHidden", {false, roi("E", 200, 220), false, std::nullopt}, std::nullopt},
        SelectedCase{"AnalysisRoi", {false, RoiSlot{}, true, roi("A", 50, 60)}, ChannelSpan{51, 60}},
        SelectedCase{"AnalysisSlotWithoutChannels",
                     {false, RoiSlot{}, true, RoiSlot{"A", std::nullopt, 60, 1, 2}}, std::nullopt}),
    caseName<SelectedCase>);

std::vector<FoundPeak> twoPeaksThenAnEmptyRow() {
    using display_test::peak;
    return {peak(1, 661.7, 1303.4, 1290, 1315), peak(2, 1460.8, 2901.6, 2880, 2920),
            peak(3, std::nullopt, 3500, 3490, 3510)};
}

TEST(PeakShading, ShadesPeaksWhileThePanelIsShownOrPersistIsOn) {
    const auto peaks = twoPeaksThenAnEmptyRow();
    EXPECT_TRUE(peakShading(peaks, {}).found.empty());
    const PeakShading persisted = peakShading(peaks, {false, true, true, ChannelSpan{1290, 1315}});
    ASSERT_EQ(persisted.found.size(), 2u);
    EXPECT_EQ(persisted.found[0], (ChannelSpan{1291, 1315}));
    EXPECT_FALSE(persisted.selected);   // editing needs the panel shown
    const PeakShading editing = peakShading(peaks, {true, false, true, ChannelSpan{2880, 2920}});
    ASSERT_TRUE(editing.selected);
    EXPECT_EQ(*editing.selected, (ChannelSpan{2881, 2920}));
}

TEST(PeakMarkers, BarsStandOnTheTraceAtEachCentroid) {
    ChannelValues trace{};
    trace[1303] = 40;
    trace[2902] = 12;
    const auto bars = peakMarkerBars(twoPeaksThenAnEmptyRow(), trace, XAxisMode::Channels, EnergyCalibration{});
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_DOUBLE_EQ(bars[0].x, 1303.4);
    EXPECT_EQ(bars[0].height, 40);
    EXPECT_EQ(bars[1].height, 12);
}

}  // namespace
}  // namespace mca
