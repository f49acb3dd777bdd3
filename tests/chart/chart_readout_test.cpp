// The cursor read-out: the status-bar panels for a mouse position over the plot, empty beyond the
// spectrum and outside the plot area; the short read-out of the acquisition tick; double-clicks.
#include "chart_fixture.h"

#include <qcustomplot.h>

#include <QSignalSpy>
#include <QTest>

namespace mca {
namespace {

class ChartReadoutTest : public ChartFixture {
protected:
    ChartReadoutTest() {
        area.resize(900, 700);
        area.show();
        QCoreApplication::processEvents();
        w().session(1).spectrum.counts[200] = 42;
        area.refreshAll();
        zoomAround(250);
    }
    // A pixel holds several channels of the whole spectrum; zoomed in, a fraction of one.
    void zoomAround(double axisX) {
        chart(1).zoomTo({axisX - 100, axisX + 100}, {0, 100});
        chart(1).replot();
    }
    QCustomPlot* plot() { return chart(1).plot(); }
    QPoint pixelOf(double axisX) {
        return {qRound(plot()->xAxis->coordToPixel(axisX)), plot()->axisRect()->center().y()};
    }
    QString panel(int i) { return chart(1).panelText(i); }
    void moveTo(QPoint pixel) {
        QMouseEvent move(QEvent::MouseMove, QPointF(pixel), plot()->mapToGlobal(QPointF(pixel)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(plot(), &move);
    }
};

TEST_F(ChartReadoutTest, MouseOverAChannelShowsChannelEnergyAndCounts) {
    linearCalibration(2.0, 0.0);
    area.showXAxisAsKeV();
    zoomAround(400);
    moveTo(pixelOf(400.4));
    EXPECT_EQ(panel(0), QStringLiteral("Chn"));
    EXPECT_EQ(panel(1), QStringLiteral("200"));
    EXPECT_TRUE(panel(2).endsWith(QStringLiteral(" keV"))) << panel(2).toStdString();
    EXPECT_EQ(panel(3), QStringLiteral("42 cnts"));
    EXPECT_EQ(panel(4), QStringLiteral("ROI"));
    EXPECT_EQ(panel(7), QStringLiteral("Overall"));
    EXPECT_EQ(panel(10), QStringLiteral("Peak #"));
    EXPECT_EQ(chart(1).findChild<QLabel*>(QStringLiteral("chart1Panel3"))->text(), QStringLiteral("42 cnts"));
}

TEST_F(ChartReadoutTest, ReadoutIsEmptyBeyondTheSpectrumAndOutsideThePlot) {
    area.readoutAt(1, pixelOf(200));
    ASSERT_EQ(panel(1), QStringLiteral("200"));

    w().state.channelCount = 256;
    area.refreshAll();
    area.readoutAt(1, pixelOf(300));
    for (int i : {1, 2, 3}) EXPECT_TRUE(panel(i).isEmpty()) << "panel " << i;

    area.readoutAt(1, pixelOf(200));
    area.readoutAt(1, QPoint(1, 1));   // on the title, outside the plot area
    EXPECT_TRUE(panel(1).isEmpty());
}

TEST_F(ChartReadoutTest, RoiUnderTheMouseShowsItsNameAndCounts) {
    sources.rois = {RoiSlot{"Cs-137", 190.0, 210.0, 650.0, 670.0}};
    area.setShowRois(true);
    area.readoutAt(1, pixelOf(200));
    EXPECT_EQ(panel(5), QStringLiteral("Cs-137"));
    EXPECT_EQ(panel(6), QStringLiteral("42 cnts"));
}

TEST_F(ChartReadoutTest, TickReadoutShowsTheDrawnValueWhileTheMouseRestsOnTheChart) {
    area.readoutAt(1, pixelOf(200));
    w().session(1).spectrum.counts[200] = 50;
    w().screen.instrumentStatus[0].counts = "50 cnts";
    area.refreshChart(1);
    area.tickReadout();
    EXPECT_EQ(panel(3), QStringLiteral("50 cnts"));
    EXPECT_EQ(panel(8), QStringLiteral("50 cnts"));

    area.readoutAt(1, QPoint(1, 1));
    area.tickReadout();
    EXPECT_TRUE(panel(3).isEmpty());
}

TEST_F(ChartReadoutTest, DoubleClickCarriesTheChartAndAxisPosition) {
    QSignalSpy spy(&area, &ChartArea::chartDoubleClicked);
    QTest::mouseDClick(plot(), Qt::LeftButton, {}, pixelOf(300));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 1);
    EXPECT_NEAR(spy.at(0).at(1).toDouble(), 300.0, 0.5);
}

}  // namespace
}  // namespace mca
