// The preset panel writes the presets into AppState, follows AppState when something else changed
// them, and obeys the screen's rules for the field station and the simplified mode.
#include "panels/preset_panel.h"

#include "qtsupport/qt_test_application.h"
#include "support/test_workstation.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace mca {
namespace {

class PresetPanelTest : public ::testing::Test {
protected:
    template <typename W>
    W* find(const char* name) {
        W* found = panel->findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QApplication& qt = qtTestApplication();   // before any widget
    testing::TestWorkstation t;
    Workstation& w = *t;
    std::unique_ptr<gui::PresetPanel> panel = std::make_unique<gui::PresetPanel>(w);
};

TEST_F(PresetPanelTest, FieldsAndCheckBoxesWriteAppState) {
    find<QSpinBox>("intedtPreSetRealTime")->setValue(120);
    find<QCheckBox>("chkPreSetRealTime")->click();
    find<QSpinBox>("intedtPreSetCounts")->setValue(50000);
    find<QCheckBox>("chkPreSetCounts")->click();
    EXPECT_EQ(w.state.presetRealTime, 120);
    EXPECT_TRUE(w.state.presetRealTimeOn);
    EXPECT_EQ(w.state.presetCounts, 50000);
    EXPECT_TRUE(w.state.presetCountsOn);
    find<QCheckBox>("chkPreSetCounts")->click();
    EXPECT_FALSE(w.state.presetCountsOn);
}

TEST_F(PresetPanelTest, TypedTimeReachesAppStateOnEnterAndNeverBelowOneSecond) {
    auto* field = find<QSpinBox>("intedtPreSetRealTime");
    field->selectAll();
    QTest::keyClicks(field, "3600");
    EXPECT_EQ(w.state.presetRealTime, 1) << "not while typing";
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(w.state.presetRealTime, 3600);
    field->selectAll();
    QTest::keyClicks(field, "0");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_GE(w.state.presetRealTime, 1);
}

TEST_F(PresetPanelTest, RefreshShowsPresetsSetElsewhere) {
    w.state.presetRealTime = 77;
    w.state.presetCountsOn = true;
    panel->refresh();
    EXPECT_EQ(find<QSpinBox>("intedtPreSetRealTime")->value(), 77);
    EXPECT_TRUE(find<QCheckBox>("chkPreSetCounts")->isChecked());
}

TEST_F(PresetPanelTest, FieldStationKeepsTheTimePresetArmedAndHidesTheCounts) {
    w.state.fieldStation = true;
    w.state.presetRealTimeOn = true;
    w.screen.presetRealTimeReadOnly = true;
    w.screen.presetCountsVisible = false;
    panel->refresh();
    auto* armed = find<QCheckBox>("chkPreSetRealTime");
    EXPECT_TRUE(armed->isChecked());
    EXPECT_FALSE(armed->isEnabled());
    armed->setChecked(false);   // even if it were reached
    EXPECT_TRUE(w.state.presetRealTimeOn);
    EXPECT_FALSE(find<QWidget>("intedtPreSetCounts")->isVisibleTo(panel.get()));
}

TEST_F(PresetPanelTest, SimplifiedModeHidesTheCountsPreset) {
    w.screen.advancedCommandsVisible = false;
    panel->refresh();
    EXPECT_FALSE(find<QWidget>("chkPreSetCounts")->isVisibleTo(panel.get()));
    EXPECT_TRUE(find<QWidget>("intedtPreSetRealTime")->isVisibleTo(panel.get()));
}

TEST_F(PresetPanelTest, ALockedPanelChangesNothing) {
    panel->setLocked(true);
    EXPECT_FALSE(find<QCheckBox>("chkPreSetRealTime")->isEnabled());
    EXPECT_FALSE(find<QCheckBox>("chkPreSetCounts")->isEnabled());
    EXPECT_TRUE(find<QSpinBox>("intedtPreSetRealTime")->isReadOnly());
    panel->setLocked(false);
    EXPECT_TRUE(find<QCheckBox>("chkPreSetRealTime")->isEnabled());
}

}  // namespace
}  // namespace mca
