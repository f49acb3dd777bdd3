// The "Gain Stabilization Setup" window: opens with the settings' parameters, OK stores what the
// fields hold (Cancel nothing), "Show" names the target channel, and the message log appears when
// asked for.
#include "panels/gain_stabilization_window.h"

#include "online_application.h"

#include "device/gain_stabilization.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

namespace mca {
namespace {

using testing::child;

class NoFineGain : public FineGainControl {
public:
    bool setFineGain(Workstation&, int, int) override { return true; }
    void showPendingFineGain(Workstation&, int, int) override {}
};

class GainStabilizationWindowTest : public ::testing::Test {
protected:
    GainStabilizationWindowTest() { qtTestApplication(); }

    testing::TestWorkstation t;
    NoFineGain control;
    GainStabilization stabilization{control};
};

TEST_F(GainStabilizationWindowTest, OkStoresTheFieldsAndCancelDoesNot) {
    t->settings.gsTargetChannel = 1000;
    gui::GainStabilizationWindow window(*t, stabilization);
    auto* target = child<QSpinBox>(window, "intedtGSTargetChn");
    EXPECT_EQ(target->value(), 1000);
    EXPECT_EQ(child<QSpinBox>(window, "intedtGSPlusMinus")->value(), 50);

    target->setValue(2000);
    QTest::mouseClick(child<QPushButton>(window, "btnCancel"), Qt::LeftButton);
    EXPECT_EQ(t->settings.gsTargetChannel, 1000);

    window.load();
    target->setValue(2600);
    child<QSpinBox>(window, "intedtGSImbal")->setValue(5);
    child<QCheckBox>(window, "chkAutoStab")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(window, "btnOK"), Qt::LeftButton);
    EXPECT_EQ(t->settings.gsTargetChannel, 2600);
    EXPECT_EQ(t->settings.gsImbalance, 5);
    EXPECT_TRUE(t->settings.autoStab);
}

TEST_F(GainStabilizationWindowTest, ShowNamesTheTargetChannel) {
    gui::GainStabilizationWindow window(*t, stabilization);
    QSignalSpy shown(&window, &gui::GainStabilizationWindow::showTargetChannel);
    child<QSpinBox>(window, "intedtGSTargetChn")->setValue(1461);
    QTest::mouseClick(child<QPushButton>(window, "btnShowTarget"), Qt::LeftButton);
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toInt(), 1461);
}

TEST_F(GainStabilizationWindowTest, TheMessageLogShowsWhenAskedFor) {
    Workstation& w = *t;
    w.settings.autoStab = true;
    w.session(1).open = true;
    // A background weighted below the target channel makes the evaluation log its sums.
    for (int ch = 2503; ch < 2554; ++ch) w.session(1).spectrum.stabilizationSums[static_cast<std::size_t>(ch)] = 60;
    for (int ch = 2555; ch < 2606; ++ch) w.session(1).spectrum.stabilizationSums[static_cast<std::size_t>(ch)] = 40;
    stabilization.evaluateStabilization(w, kStabilizationTicks);
    ASSERT_FALSE(stabilization.messages().empty());

    gui::GainStabilizationWindow window(w, stabilization);
    auto* log = child<QListWidget>(window, "lstGSMessages");
    EXPECT_FALSE(log->isVisibleTo(&window));
    child<QCheckBox>(window, "chkGSMessages")->setChecked(true);
    EXPECT_TRUE(log->isVisibleTo(&window));
    ASSERT_EQ(log->count(), static_cast<int>(stabilization.messages().size()));
    EXPECT_EQ(log->item(0)->text().toStdString(), stabilization.messages().front());
}

}  // namespace
}  // namespace mca
