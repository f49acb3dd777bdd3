// The axis commands: titles, ranges and labels of the bottom axis by mode, the linear and
// logarithmic counts axis, Quick Grow, and zooming with the box.
#include "chart_fixture.h"

#include "display/chart_axes.h"

#include <QTest>

namespace mca {
namespace {

class ChartAxesTest : public ChartFixture {};

struct AxisModeCase {
    const char* name;
    void (ChartArea::*command)();
    bool calibrated;
    const char* title;
    double upper;   // bottom axis end: channel R-2 = 4094, at 2 keV a channel
};

TEST_F(ChartAxesTest, AxisModeCommandsSetTitleAndRangeOnEveryChart) {
    const AxisModeCase cases[] = {
        {"channels", &ChartArea::showXAxisAsChannels, true, "Channel", 4094},
        {"keV", &ChartArea::showXAxisAsKeV, true, "Energy (keV)", 8188},
        {"MeV", &ChartArea::showXAxisAsMeV, true, "Energy (MeV)", 8188},
        {"keV without a calibration stays in channels", &ChartArea::showXAxisAsKeV, false, "Channel", 4094},
        {"MeV without a calibration stays in channels", &ChartArea::showXAxisAsMeV, false, "Channel", 4094},
    };
    for (const AxisModeCase& c : cases) {
        SCOPED_TRACE(c.name);
        area.showXAxisAsChannels();
        app.energyCalibration() = EnergyCalibration{};
        if (c.calibrated) linearCalibration(2.0, 0.0);
        (area.*c.command)();
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(chart(k).bottomAxisTitle(), QString::fromLatin1(c.title));
            EXPECT_EQ(chart(k).leftAxisTitle(), QStringLiteral("counts"));
            EXPECT_DOUBLE_EQ(chart(k).bottomRange().lower, 0.0);
            EXPECT_DOUBLE_EQ(chart(k).bottomRange().upper, c.upper);
        }
    }
}

TEST_F(ChartAxesTest, EnergyCommandsRecordTheModeInTheSettings) {
    linearCalibration(1.0, 0.0);
    area.showXAxisAsMeV();
    EXPECT_TRUE(w().screen.xAxisInEnergy);
    EXPECT_FALSE(w().settings.useKeV);
    EXPECT_EQ(area.xAxisMode(), XAxisMode::MeV);
    area.showXAxisAsKeV();
    EXPECT_TRUE(w().settings.useKeV);
    area.showXAxisAsChannels();
    EXPECT_FALSE(w().screen.xAxisInEnergy);
    EXPECT_FALSE(w().settings.xAxisAsEnergy);
}

TEST_F(ChartAxesTest, MeVAxisLabelsAreMeVTextsWithThreeDecimals) {
    linearCalibration(1.0, 0.0);
    area.showXAxisAsMeV();
    chart(1).zoomTo({661.5, 661.9}, {0, 10});
    chart(1).replot();
    EXPECT_TRUE(chart(1).bottomTickLabels().contains(QStringLiteral("0.662")))
        << chart(1).bottomTickLabels().join(' ').toStdString();
    area.showXAxisAsKeV();
    chart(1).zoomTo({661.5, 661.9}, {0, 10});
    chart(1).replot();
    EXPECT_TRUE(chart(1).bottomTickLabels().contains(QStringLiteral("661.7")));
}

TEST_F(ChartAxesTest, LogarithmicAxisOfAnEmptySpectrumStartsAtOneTenth) {
    area.setLogarithmicYAxis();
    EXPECT_EQ(w().settings.yAxis, YAxisScale::Logarithmic);
    for (int k : {1, 2}) {
        EXPECT_TRUE(chart(k).leftAxisLogarithmic());
        EXPECT_DOUBLE_EQ(chart(k).leftRange().lower, 0.1);
    }
    EXPECT_GT(chart(1).leftRange().upper, 0.1);

    area.setLinearYAxis();
    EXPECT_FALSE(chart(1).leftAxisLogarithmic());
    EXPECT_DOUBLE_EQ(chart(1).leftRange().lower, 0.0);
}

TEST_F(ChartAxesTest, LogarithmicAxisUnzoomsAndNeverZoomsBelowOneTenth) {
    chart(1).zoomTo({10, 20}, {5, 50});
    area.setLogarithmicYAxis();
    EXPECT_FALSE(chart(1).zoomed());
    chart(1).zoomTo({10, 20}, {0.001, 50});
    EXPECT_DOUBLE_EQ(chart(1).leftRange().lower, 0.1);
}

TEST_F(ChartAxesTest, QuickGrowSetsTheLeastAxisMaximum) {
    w().session(1).spectrum.counts[4000] = 1;
    area.setQuickGrow(true);
    EXPECT_DOUBLE_EQ(chart(1).leftRange().upper, 2.0);
    area.setQuickGrow(false);
    EXPECT_DOUBLE_EQ(chart(1).leftRange().upper, 100.0);
    w().session(1).spectrum.counts[4000] = 250;
    area.refreshChart(1);
    EXPECT_DOUBLE_EQ(chart(1).leftRange().upper, 250.0);
}

TEST_F(ChartAxesTest, DisplayToggleHidesAxesAndGridFollowsItsChoice) {
    area.toggleAxesDisplay();
    EXPECT_FALSE(chart(3).axesShown());
    EXPECT_FALSE(chart(3).gridShown());
    area.showJustAxisLabels();
    area.toggleAxesDisplay();
    EXPECT_TRUE(chart(3).axesShown());
    EXPECT_FALSE(chart(3).gridShown());
    area.showGridAndAxisLabels();
    EXPECT_TRUE(chart(3).gridShown());
}

class ChartZoomTest : public ChartFixture {
protected:
    ChartZoomTest() {
        area.resize(900, 700);
        area.show();
        QCoreApplication::processEvents();
        area.refreshAll();
    }
    QWidget* plot() { return chart(1).findChild<QWidget*>(QStringLiteral("chart1Plot")); }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(plot(), Qt::LeftButton, {}, from);
        QTest::mouseMove(plot(), to);
        QTest::mouseRelease(plot(), Qt::LeftButton, {}, to);
    }
};

TEST_F(ChartZoomTest, BoxDownRightZoomsAndUpLeftUndoes) {
    const QPoint centre = plot()->rect().center();
    drag(centre - QPoint(100, 80), centre + QPoint(100, 80));
    ASSERT_TRUE(chart(1).zoomed());
    EXPECT_GT(chart(1).bottomRange().lower, 0.0);
    EXPECT_LT(chart(1).bottomRange().upper, 4094.0);

    drag(centre, centre - QPoint(50, 50));
    EXPECT_FALSE(chart(1).zoomed());
    EXPECT_DOUBLE_EQ(chart(1).bottomRange().lower, 0.0);
    EXPECT_DOUBLE_EQ(chart(1).bottomRange().upper, 4095.0);   // undone: up to channel R-1
}

}  // namespace
}  // namespace mca
