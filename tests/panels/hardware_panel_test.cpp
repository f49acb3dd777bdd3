// The hardware side panel against the simulated instrument: an edit marks its field pending, its
// Set button sends it (the instrument's state and the session follow, the mark goes), offline
// leaves nothing usable, and the service buttons exist only with the marker file.
#include "panels/hardware_panel.h"

#include "online_application.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <functional>

namespace mca {
namespace {

using testing::child;
using testing::OnlineApplication;

struct SetCase {
    const char* name;
    const char* field;       // the edited field
    std::function<void(QWidget&)> edit;
    const char* button;
    std::vector<std::string> bytes;   // in this order after the press
    std::function<void(const sim::InstrumentState&, const HardwareSettings&)> check;
};

std::vector<SetCase> setCases() {
    return {
        {"HighVoltage", "fltedtHV1", [](QWidget& f) { static_cast<QDoubleSpinBox&>(f).setValue(950); }, "btnSetHV1",
         {"V"},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_NEAR(i.hvVolts(), 950.0, 0.2);
             EXPECT_DOUBLE_EQ(s.highVoltage, 950.0);
         }},
        {"ThresholdWithItsOffset", "intedtThreshold1", [](QWidget& f) { static_cast<QSpinBox&>(f).setValue(150); },
         "btnSetThreshold1", {"T"},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_EQ(i.threshold(), 150);
             EXPECT_EQ(i.offset(), 250);
             EXPECT_EQ(s.threshold, 150);
             EXPECT_EQ(s.offset, 250);
         }},
        {"CoarseGainThenFineGain", "cmbCoarseGain1", [](QWidget& f) { static_cast<QComboBox&>(f).setCurrentIndex(3); },
         "btnSetCoarseGain1", {"C3", std::string("F\x7F", 2)},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_EQ(i.coarseIndex, 3);
             EXPECT_EQ(s.coarseGainIndex, 3);
         }},
        {"FineGain", "intedtFineGain1", [](QWidget& f) { static_cast<QSpinBox&>(f).setValue(140); }, "btnSetFineGain1",
         {std::string("F\x8C", 2)},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_EQ(i.fineGain, 140);
             EXPECT_EQ(s.fineGain, 140);
         }},
        {"ShapedInputTakesTheShapedTime", "cmbInput1", [](QWidget& f) { static_cast<QComboBox&>(f).setCurrentIndex(4); },
         "btnSetInput1", {"I4", "S8"},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_EQ(i.input, 4);
             EXPECT_EQ(i.shapingIndex, 8);
             EXPECT_EQ(s.inputIndex, 4);
             EXPECT_EQ(s.shapingIndex, 8);
         }},
        {"ShapingTime", "cmbShapingTime1", [](QWidget& f) { static_cast<QComboBox&>(f).setCurrentIndex(5); },
         "btnSetShapingTime1", {"S5"},
         [](const sim::InstrumentState& i, const HardwareSettings& s) {
             EXPECT_EQ(i.shapingIndex, 5);
             EXPECT_EQ(s.shapingIndex, 5);
         }},
    };
}

TEST(HardwarePanelTest, EachSetButtonSendsItsPendingEditAndClearsTheMark) {
    for (const SetCase& c : setCases()) {
        SCOPED_TRACE(c.name);
        OnlineApplication a;
        a.start();
        gui::HardwarePanel panel(a.app);
        auto* field = child<QWidget>(panel, c.field);
        auto* button = child<QPushButton>(panel, c.button);
        ASSERT_TRUE(field && button);
        EXPECT_FALSE(button->isEnabled()) << "nothing edited yet";

        c.edit(*field);
        EXPECT_TRUE(field->property("pending").toBool());
        EXPECT_TRUE(button->isEnabled());

        const std::size_t before = a.written().size();
        QTest::mouseClick(button, Qt::LeftButton);
        std::size_t at = before;
        for (const std::string& bytes : c.bytes) {
            const std::size_t found = a.written().find(bytes, at);
            ASSERT_NE(found, std::string::npos) << "no " << ::testing::PrintToString(bytes);
            at = found + bytes.size();
        }
        c.check(a.instrument(), a.w().session(1).settings);
        EXPECT_FALSE(field->property("pending").toBool());
        EXPECT_FALSE(button->isEnabled());
        EXPECT_TRUE(child<QWidget>(panel, "fltedtHV1")->isEnabled()) << "usable again after the command";
    }
}

TEST(HardwarePanelTest, EnterInTheHighVoltageFieldSendsItAndTheFieldShowsTheSentValue) {
    OnlineApplication a;
    a.start();
    gui::HardwarePanel panel(a.app);
    auto* hv = child<QDoubleSpinBox>(panel, "fltedtHV1");
    ASSERT_NE(hv, nullptr);
    EXPECT_DOUBLE_EQ(hv->value(), 800.0);
    hv->selectAll();
    QTest::keyClicks(hv, "1000");
    QTest::keyClick(hv, Qt::Key_Return);
    EXPECT_NEAR(a.instrument().hvVolts(), 1000.0, 0.2);
    EXPECT_DOUBLE_EQ(hv->value(), 1000.0);
    EXPECT_FALSE(hv->property("pending").toBool());
}

TEST(HardwarePanelTest, TheHvFieldStopsAtTheDetectorsLimit) {
    OnlineApplication a;
    a.start();
    gui::HardwarePanel panel(a.app);
    auto* hv = child<QDoubleSpinBox>(panel, "fltedtHV1");
    ASSERT_NE(hv, nullptr);
    EXPECT_DOUBLE_EQ(hv->maximum(), 1200.0) << "the detector's not-to-exceed voltage";
    hv->setValue(1500);
    QTest::mouseClick(child<QPushButton>(panel, "btnSetHV1"), Qt::LeftButton);
    EXPECT_NEAR(a.instrument().hvVolts(), 1200.0, 0.2);
}

TEST(HardwarePanelTest, CoarseGainLabelsFollowTheEdit) {
    OnlineApplication a;
    a.start();
    gui::HardwarePanel panel(a.app);
    child<QComboBox>(panel, "cmbCoarseGain1")->setCurrentIndex(1);
    child<QSpinBox>(panel, "intedtFineGain1")->setValue(255);
    EXPECT_EQ(child<QLabel>(panel, "lblFineGain1")->text(), "Fine Gain = 1.000");
    EXPECT_EQ(child<QLabel>(panel, "lblOverallGain1")->text(), "Overall Gain = 4.000");
    EXPECT_TRUE(child<QPushButton>(panel, "btnSetFineGain1")->isEnabled()) << "the coarse gain marks the fine gain";
}

TEST(HardwarePanelTest, OfflineNothingCanBeUsed) {
    OnlineApplication a;
    a.startOffline();
    gui::HardwarePanel panel(a.app);
    int checked = 0;
    for (QWidget* w : panel.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                             qobject_cast<QComboBox*>(w);
        if (!control || !w->isVisibleTo(&panel)) continue;
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 0);
    // Nor can an edit that slipped through reach the instrument.
    child<QDoubleSpinBox>(panel, "fltedtHV1")->setValue(900);
    EXPECT_FALSE(child<QPushButton>(panel, "btnSetHV1")->isEnabled());
}

TEST(HardwarePanelTest, TheInstrumentChoiceShowsOnlyWithASecondInstrumentOpen) {
    OnlineApplication a;
    a.start();
    gui::HardwarePanel panel(a.app);
    EXPECT_FALSE(child<QWidget>(panel, "rdoHardwareMCA2")->isVisibleTo(&panel));
}

TEST(HardwarePanelTest, HighVoltageSwitchTurnsOffAndRestores) {
    OnlineApplication a;
    a.start();
    gui::HardwarePanel panel(a.app);
    auto* hvSwitch = child<QPushButton>(panel, "btnHVOnOff");
    ASSERT_NE(hvSwitch, nullptr);
    EXPECT_EQ(hvSwitch->text(), "Disable High &Voltage");
    QTest::mouseClick(hvSwitch, Qt::LeftButton);
    EXPECT_NEAR(a.instrument().hvVolts(), 0.0, 0.1);
    EXPECT_EQ(hvSwitch->text(), "Enable High &Voltage");
    EXPECT_EQ(child<QLabel>(panel, "lblHVVolts")->text(), "0 V");
    QTest::mouseClick(hvSwitch, Qt::LeftButton);
    EXPECT_NEAR(a.instrument().hvVolts(), 800.0, 0.2);
    EXPECT_EQ(hvSwitch->text(), "Disable High &Voltage");
}

struct ServiceCase {
    const char* name;
    bool marker;
    bool offline;
    bool shown;
};

class HardwarePanelServiceTest : public ::testing::TestWithParam<ServiceCase> {};

TEST_P(HardwarePanelServiceTest, ServiceControlsNeedTheMarkerFileAndAnInstrument) {
    const ServiceCase& c = GetParam();
    OnlineApplication a;
    if (c.marker) a.t.writeAppFile("VESKAR.txt", "");
    c.offline ? a.startOffline() : a.start();
    gui::HardwarePanel panel(a.app);
    for (const char* name : {"btnGainPreset1", "btnHVPreset1", "btnDeveloper", "btnService"}) {
        EXPECT_EQ(child<QWidget>(panel, name)->isVisibleTo(&panel), c.shown) << name;
    }
    EXPECT_FALSE(child<QWidget>(panel, "pnlDeveloper")->isVisibleTo(&panel)) << "opened by its button";
    if (!c.shown) return;
    QTest::mouseClick(child<QPushButton>(panel, "btnDeveloper"), Qt::LeftButton);
    EXPECT_TRUE(child<QWidget>(panel, "pnlDeveloper")->isVisibleTo(&panel));
}

INSTANTIATE_TEST_SUITE_P(Cases, HardwarePanelServiceTest,
                         ::testing::Values(ServiceCase{"MarkerOnline", true, false, true},
                                           ServiceCase{"NoMarker", false, false, false},
                                           ServiceCase{"MarkerOffline", true, true, false}),
                         [](const ::testing::TestParamInfo<ServiceCase>& row) { return std::string(row.param.name); });

TEST(HardwarePanelTest, TheServiceGainButtonSendsCoarseAndFineGain) {
    OnlineApplication a;
    a.t.writeAppFile("VESKAR.txt", "");
    a.start();
    gui::HardwarePanel panel(a.app);
    auto* gain = child<QPushButton>(panel, "btnGainPreset1");
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->text(), "Gain 1.5");
    QTest::mouseClick(gain, Qt::LeftButton);
    EXPECT_EQ(a.instrument().coarseIndex, 0);
    EXPECT_EQ(a.instrument().fineGain, 191);
    EXPECT_EQ(child<QSpinBox>(panel, "intedtFineGain1")->value(), 191);
    EXPECT_FALSE(child<QPushButton>(panel, "btnSetFineGain1")->isEnabled());
}

TEST(HardwarePanelTest, TheDeveloperModeButtonSendsTheModeAndTurnsBold) {
    OnlineApplication a;
    a.t.writeAppFile("VESKAR.txt", "");
    a.start();
    gui::HardwarePanel panel(a.app);
    QTest::mouseClick(child<QPushButton>(panel, "btnDeveloper"), Qt::LeftButton);
    auto* mode = child<QPushButton>(panel, "btnMode5");
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->text(), "5: 256");
    QTest::mouseClick(mode, Qt::LeftButton);
    EXPECT_EQ(a.instrument().channels(), 256);
    EXPECT_EQ(a.w().state.channelCount, 256);
    EXPECT_TRUE(mode->font().bold());
    EXPECT_FALSE(child<QPushButton>(panel, "btnMode1")->font().bold());
}

}  // namespace
}  // namespace mca
