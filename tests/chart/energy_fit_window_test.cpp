// The "ECal Fit..." window draws the calibration it is given: the line over every channel, the
// equation and quality texts, and a vertical axis that switches between linear and logarithmic.
#include "chart/energy_fit_window.h"

#include "chart_fixture.h"

#include <qcustomplot.h>

namespace mca {
namespace {

class EnergyFitWindowTest : public ChartFixture {};

TEST_F(EnergyFitWindowTest, DrawsTheLineAndShowsItsEquation) {
    w().state.channelCount = 1024;
    linearCalibration(0.5, 10);
    EnergyFitWindow window(app);
    EXPECT_EQ(window.text("lblLinearEquation"), QStringLiteral("y = 0.5x  + 10"));
    EXPECT_EQ(window.text("lblLinearFit"), QStringLiteral("Fit = 1"));
    const QCPGraph* line = window.plot()->graph(1);
    ASSERT_EQ(line->dataCount(), 1025);
    EXPECT_DOUBLE_EQ(line->data()->at(0)->value, 10.0);
    EXPECT_DOUBLE_EQ(line->data()->at(1024)->value, 522.0);
    EXPECT_DOUBLE_EQ(window.plot()->yAxis->range().upper, 522.0);

    window.setLogarithmic(true);
    EXPECT_EQ(window.plot()->yAxis->scaleType(), QCPAxis::stLogarithmic);
    EXPECT_GT(window.plot()->yAxis->range().lower, 0.0);
    window.setLogarithmic(false);
    EXPECT_DOUBLE_EQ(window.plot()->yAxis->range().lower, 0.0);
}

TEST_F(EnergyFitWindowTest, WithoutACalibrationNothingIsPlotted) {
    EnergyFitWindow window(app);
    EXPECT_EQ(window.plot()->graph(0)->dataCount(), 0);
}

}  // namespace
}  // namespace mca
