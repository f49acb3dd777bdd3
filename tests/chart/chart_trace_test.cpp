// What the refresh draws: the smoothing command, the ROI shading from the ROI set, the static
// trace, and the instruments each chart draws in the layouts.
#include "chart_fixture.h"

namespace mca {
namespace {

class ChartTraceTest : public ChartFixture {};

TEST_F(ChartTraceTest, SmoothingCommandChangesTheDrawnTrace) {
    w().session(1).spectrum.counts[500] = 9;
    struct Case {
        int factor;
        double at499, at500, at501;
    };
    for (const Case& c : {Case{1, 0, 9, 0}, Case{8, 3, 3, 3}, Case{16, 1.8, 1.8, 1.8}, Case{1, 0, 9, 0}}) {
        SCOPED_TRACE(c.factor);
        area.setSmoothFactor(c.factor);
        EXPECT_EQ(w().settings.smoothFactor, c.factor);
        EXPECT_DOUBLE_EQ(drawn(1, 499), c.at499);
        EXPECT_DOUBLE_EQ(drawn(1, 500), c.at500);
        EXPECT_DOUBLE_EQ(drawn(1, 501), c.at501);
    }
    area.setSmoothFactor(5);   // not offered: unsmoothed
    EXPECT_EQ(w().settings.smoothFactor, 1);
}

TEST_F(ChartTraceTest, DisplayOffsetShiftsOnlyTheUnsmoothedTrace) {
    w().session(1).spectrum.counts[500] = 9;
    sources.offset = 5;
    area.setSmoothFactor(1);
    EXPECT_DOUBLE_EQ(drawn(1, 505), 9.0);
    area.setSmoothFactor(8);
    EXPECT_DOUBLE_EQ(drawn(1, 500), 3.0);
}

TEST_F(ChartTraceTest, RoiShadingCoversChannelsAfterTheStartUpToTheEnd) {
    sources.rois = {RoiSlot{"Cs-137", 100.0, 110.0, 650.0, 670.0}};
    for (int i = 0; i < 4096; ++i) w().session(1).spectrum.counts[static_cast<std::size_t>(i)] = i;
    area.setShowRois(true);
    const QVector<QPointF> shaded = chart(1).layerPoints(ChartLayer::Roi);
    ASSERT_EQ(shaded.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_DOUBLE_EQ(shaded[i].x(), 101 + i);
        EXPECT_DOUBLE_EQ(shaded[i].y(), 101 + i);   // the trace's own heights, recoloured
    }
    EXPECT_EQ(chart(1).layerColour(ChartLayer::Roi), QColor(255, 0, 0));

    linearCalibration(2.0, 0.0);
    area.showXAxisAsKeV();
    EXPECT_DOUBLE_EQ(chart(1).layerPoints(ChartLayer::Roi).front().x(), 202.0);

    area.setShowRois(false);
    EXPECT_TRUE(chart(1).layerPoints(ChartLayer::Roi).isEmpty());
}

TEST_F(ChartTraceTest, StaticTraceIsDrawnWhenShownAndNotAcquiring) {
    StaticSpectrumData data;
    data.counts[7] = 40;
    data.length = 1024;
    sources.staticData = data;
    area.setShowStatic(true);
    const QVector<QPointF> points = chart(1).layerPoints(ChartLayer::Static);
    ASSERT_EQ(points.size(), 1024);
    EXPECT_DOUBLE_EQ(points[7].y(), 40.0);
    EXPECT_EQ(chart(1).layerColour(ChartLayer::Static), QColor(0, 255, 0));

    w().session(2).open = true;
    w().state.view.twoInstrumentView = TwoInstrumentView::Split;
    area.updateLayout();
    EXPECT_TRUE(chart(1).layerPoints(ChartLayer::Static).isEmpty()) << "the split view draws it on chart 2";
    EXPECT_EQ(chart(2).layerPoints(ChartLayer::Static).size(), 1024);

    area.setShowStatic(false);
    EXPECT_TRUE(chart(2).layerPoints(ChartLayer::Static).isEmpty());
}

TEST_F(ChartTraceTest, BackgroundSubtractedTraceTakesTheRateTimesTheElapsedTime) {
    w().session(1).spectrum.counts[300] = 100;
    sources.background = ChannelValues{};
    (*sources.background)[300] = 2.0;   // counts per second
    w().state.realTime = 10;
    area.setBackgroundSubtracted(true);
    EXPECT_DOUBLE_EQ(drawn(1, 300), 80.0);
    area.setBackgroundSubtracted(false);
    EXPECT_DOUBLE_EQ(drawn(1, 300), 100.0);
}

TEST_F(ChartTraceTest, LayoutsShowTheirChartsAndTheirInstruments) {
    for (int n = 1; n <= 4; ++n) w().session(n).spectrum.counts[10] = n;
    struct Case {
        const char* name;
        bool quad;
        bool secondOpen;
        TwoInstrumentView view;
        std::array<bool, 4> shown;
        double chart1At10;
    };
    const Case cases[] = {
        {"one instrument", false, false, TwoInstrumentView::Mca1, {true, false, false, false}, 1},
        {"two instruments, MCA #1", false, true, TwoInstrumentView::Mca1, {true, false, false, false}, 1},
        {"two instruments, MCA #2", false, true, TwoInstrumentView::Mca2, {true, false, false, false}, 2},
        {"two instruments, Combined", false, true, TwoInstrumentView::Combined, {true, false, false, false}, 3},
        {"two instruments, Split", false, true, TwoInstrumentView::Split, {true, true, false, false}, 1},
        {"four charts", true, true, TwoInstrumentView::Mca1, {true, true, true, true}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w().state.quadLayout = c.quad;
        w().session(2).open = c.secondOpen;
        w().state.view.twoInstrumentView = c.view;
        area.updateLayout();
        area.refreshAll();
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(area.chartShown(k), c.shown[static_cast<std::size_t>(k - 1)]) << "chart " << k;
            EXPECT_EQ(!chart(k).isHidden(), c.shown[static_cast<std::size_t>(k - 1)]) << "chart " << k;
            if (c.shown[static_cast<std::size_t>(k - 1)] && k > 1) {
                EXPECT_DOUBLE_EQ(drawn(k, 10), k);
            }
        }
        EXPECT_DOUBLE_EQ(drawn(1, 10), c.chart1At10);
    }
}

TEST_F(ChartTraceTest, MainTraceStyleAndColourApplyToChartOneOnly) {
    w().state.quadLayout = true;
    op.colours = {0x0000FFFF};
    area.chooseMainSpectrumColour();
    EXPECT_EQ(chart(1).layerColour(ChartLayer::Main), QColor(255, 255, 0));
    EXPECT_EQ(chart(2).layerColour(ChartLayer::Main), QColor(255, 255, 255));
}

}  // namespace
}  // namespace mca
