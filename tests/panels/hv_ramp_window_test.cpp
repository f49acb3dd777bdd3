// The HV ramp window against a real high-voltage command in virtual time: it opens with the
// message, counts down once a second, shows "COMPLETE!", cannot be closed meanwhile and closes
// itself; the hardware panel stays unusable while it shows.
#include "panels/hv_ramp_window.h"

#include "panels/hardware_panel.h"

#include "online_application.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <string>
#include <vector>

namespace mca {
namespace {

using testing::child;
using testing::OnlineApplication;

struct Sample {
    bool visible;
    std::string countdown;
    int progress;
    bool panelUsable;
};

// What the window shows every 250 ms of virtual time while `command` runs; repeats dropped.
template <typename Command>
std::vector<Sample> watch(OnlineApplication& a, gui::HvRampWindow& window, gui::HardwarePanel& panel,
                          Command command) {
    std::vector<Sample> seen;
    auto* countdown = child<QLabel>(window, "lblCountdown");
    auto* progress = child<QProgressBar>(window, "pbRamp");
    auto* hv = child<QWidget>(panel, "fltedtHV1");
    const TimerId sampler = a.t.clock.startTimer(250, [&] {
        if (window.isVisible()) window.close();   // refused while the ramp counts
        const Sample s{window.isVisible(), countdown->text().toStdString(), progress->value(), hv->isEnabled()};
        if (!s.visible && seen.empty()) return;   // the command has not reached its ramp yet
        if (seen.empty() || seen.back().countdown != s.countdown || seen.back().visible != s.visible) {
            seen.push_back(s);
        }
    });
    command();
    a.t.clock.stopTimer(sampler);
    return seen;
}

struct RampCase {
    const char* name;
    double volts;
    const char* message;
};

class HvRampWindowTest : public ::testing::TestWithParam<RampCase> {};

TEST_P(HvRampWindowTest, CountsDownShowsCompleteAndClosesItself) {
    const RampCase& c = GetParam();
    OnlineApplication a;
    a.start();
    gui::HvRampWindow window(a.app.ramp());
    gui::HardwarePanel panel(a.app);
    child<QDoubleSpinBox>(panel, "fltedtHV1")->setValue(c.volts);

    // Enter sends the field even when it was not changed: the same voltage ramps all the same.
    const std::vector<Sample> seen = watch(a, window, panel, [&] {
        QTest::keyClick(child<QWidget>(panel, "fltedtHV1"), Qt::Key_Return);
    });

    const std::vector<std::string> expected{"",
                                            "3 seconds to go",
                                            "2 seconds to go",
                                            "1 seconds to go",
                                            "0 seconds to go",
                                            "COMPLETE!"};
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].countdown, expected[i]) << i;
        EXPECT_TRUE(seen[i].visible) << i;
        EXPECT_FALSE(seen[i].panelUsable) << "the panel waits for the ramp, " << i;
    }
    EXPECT_EQ(seen[4].progress, kHvRampSeconds);
    EXPECT_EQ(child<QLabel>(window, "lblMessage")->text().toStdString(), c.message);
    EXPECT_FALSE(window.isVisible()) << "closed itself";
    EXPECT_TRUE(child<QWidget>(panel, "fltedtHV1")->isEnabled());
    EXPECT_EQ(window.windowTitle(), "High Voltage Ramp");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HvRampWindowTest,
    ::testing::Values(
        RampCase{"Up", 1000,
                 "Changing high voltage from 800V to 1000V. This will take approximately 4 seconds to complete."},
        RampCase{"Down", 500,
                 "Changing high voltage from 800V down to 500V. This will take approximately 4 seconds to complete."},
        RampCase{"Same", 800,
                 "Changing high voltage from 800V to 800V. This will take approximately 4 seconds to complete."}),
    [](const ::testing::TestParamInfo<RampCase>& row) { return std::string(row.param.name); });

TEST(HvRampWindowLifetimeTest, AWindowGoneLeavesTheRampRunningWithoutIt) {
    OnlineApplication a;
    a.start();
    {
        gui::HvRampWindow window(a.app.ramp());
    }
    EXPECT_TRUE(a.app.hardware().setHighVoltage(900.0));
    EXPECT_NEAR(a.instrument().hvVolts(), 900.0, 0.2);
}

}  // namespace
}  // namespace mca
