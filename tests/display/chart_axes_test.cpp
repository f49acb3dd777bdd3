// The chart axes and trace points: positions and labels by axis mode, the digital threshold, the
// counts axis minimum and the Quick Grow placeholders.
#include "display/chart_axes.h"

#include "display/left_axis.h"
#include "display/trace_points.h"

#include "display_test_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace mca {
namespace {

using display_test::caseName;

using display_test::line;

struct PositionCase {
    std::string name;
    XAxisMode mode;
    double channel;
    double position;
    std::string label;
    std::string title;
};

class AxisPosition : public ::testing::TestWithParam<PositionCase> {};

TEST_P(AxisPosition, PlacesAndLabelsAChannel) {
    const PositionCase& c = GetParam();
    const double x = channelPosition(c.mode, line(), c.channel);
    EXPECT_DOUBLE_EQ(x, c.position);
    EXPECT_EQ(bottomAxisLabel(c.mode, x), c.label);
    EXPECT_EQ(bottomAxisTitle(c.mode), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, AxisPosition,
    ::testing::Values(PositionCase{"Channels", XAxisMode::Channels, 1303.4, 1303.4, "1303.4", "Channel"},
                      PositionCase{"KeV", XAxisMode::KeV, 1303.4, 661.7, "661.7", "Energy (keV)"},
                      // The MeV mode keeps keV positions; only its labels read MeV.
                      PositionCase{"MeVLabelOf661_7keV", XAxisMode::MeV, 1303.4, 661.7, "0.662", "Energy (MeV)"},
                      PositionCase{"MeVLabelAtZero", XAxisMode::MeV, -20, 0, "0.000", "Energy (MeV)"}),
    caseName<PositionCase>);

TEST(ChartAxes, EnergyModesNeedACalibration) {
    EXPECT_EQ(effectiveXAxisMode(XAxisMode::MeV, EnergyCalibration{}), XAxisMode::Channels);
    EXPECT_EQ(effectiveXAxisMode(XAxisMode::MeV, line()), XAxisMode::MeV);
}

TEST(ChartAxes, RangesEndAtTheSecondLastOrLastChannel) {
    EXPECT_DOUBLE_EQ(bottomAxisRange(XAxisMode::Channels, line(), 1024).upper, 1022);
    EXPECT_DOUBLE_EQ(bottomAxisRange(XAxisMode::KeV, line(), 1024).upper, 521);
    EXPECT_DOUBLE_EQ(unzoomedBottomAxisRange(XAxisMode::Channels, line(), 1024).upper, 1023);
    EXPECT_DOUBLE_EQ(unzoomedBottomAxisRange(XAxisMode::MeV, line(), 1024).upper, 521.5);
}

TEST(TracePoints, DigitalThresholdDrawsLowChannelsAsZero) {
    ChannelValues d{};
    d.fill(5);
    const TracePoints p = mainTracePoints(d, 20, XAxisMode::Channels, EnergyCalibration{});
    ASSERT_EQ(p.count, 4095);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(p.y[static_cast<std::size_t>(i)], 0.0) << i;
    EXPECT_EQ(p.y[20], 5);
    EXPECT_EQ(p.x[4094], 4094);
}

TEST(TracePoints, StaticTraceDrawsEveryChannelAtItsEnergy) {
    ChannelValues d{};
    d[511] = 3;
    const TracePoints p = staticTracePoints(d, 512, XAxisMode::KeV, line());
    ASSERT_EQ(p.count, 512);
    EXPECT_DOUBLE_EQ(p.x[511], 265.5);
    EXPECT_EQ(p.y[511], 3);
}

struct LeftAxisCase {
    std::string name;
    YAxisScale scale;
    bool quickGrow;
    double highestCounts;
    double lower;
    double upper;
};

class LeftAxis : public ::testing::TestWithParam<LeftAxisCase> {};

TEST_P(LeftAxis, StartsAtItsMinimumAndGrowsWithTheCounts) {
    const LeftAxisCase& c = GetParam();
    TracePoints trace;
    trace.count = kMainTracePoints;
    trace.y[4094] = c.highestCounts;
    const AxisRange r = leftAxisRange(c.scale, c.quickGrow, trace);
    EXPECT_DOUBLE_EQ(r.lower, c.lower);
    EXPECT_DOUBLE_EQ(r.upper, c.upper);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LeftAxis,
    ::testing::Values(LeftAxisCase{"QuickGrowOneCountReaches2", YAxisScale::Linear, true, 1, 0, 2},
                      LeftAxisCase{"NoQuickGrowOneCountReaches100", YAxisScale::Linear, false, 1, 0, 100},
                      LeftAxisCase{"CountsAboveThePlaceholder", YAxisScale::Linear, true, 350, 0, 350},
                      LeftAxisCase{"LogEmptySpectrumFrom0_1", YAxisScale::Logarithmic, true, 0, 0.1, 2}),
    caseName<LeftAxisCase>);

TEST(LeftAxis, PlaceholdersAndScrollFloor) {
    EXPECT_DOUBLE_EQ(axisPlaceholders(true).left.x, 50);
    EXPECT_DOUBLE_EQ(axisPlaceholders(false).left.x, 0);
    EXPECT_DOUBLE_EQ(axisPlaceholders(true).right.y, 100);
    EXPECT_DOUBLE_EQ(scrolledLeftAxisMinimum(YAxisScale::Logarithmic, 0.01), 0.1);
    EXPECT_DOUBLE_EQ(scrolledLeftAxisMinimum(YAxisScale::Logarithmic, 3), 3);
    EXPECT_DOUBLE_EQ(scrolledLeftAxisMinimum(YAxisScale::Linear, -4), -4);
}

}  // namespace
}  // namespace mca
