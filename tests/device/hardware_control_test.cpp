// The Set operations on a recording port in virtual time: the bytes and their order, the pending
// edits that follow a Set, the detector record and the session, the acquisition stopped around
// the commands, the high-voltage menu and limit, and the resolution mode.
#include "device/hardware_control.h"
#include "device/hardware_control_fine_gain.h"

#include "sim/simulated_port.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace mca {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(static_cast<unsigned char>(v));
    return out;
}

// The instrument runs a detector with a 1500 V NTE at 800 V, coarse gain index 1, fine gain 127.
HardwareSettings detectorSettings() {
    HardwareSettings s;
    s.inputIndex = 1;
    s.highVoltage = 800;
    s.notToExceedVoltage = 1500;
    s.coarseGainIndex = 1;
    s.fineGain = 127;
    s.shapingIndex = 2;
    s.threshold = 20;
    s.offset = 40;
    return s;
}

class HardwareControlTest : public ::testing::Test {
protected:
    HardwareControlTest() {
        port = openInstrument(1);
        control.showInstrument(1);
    }

    Workstation& w() { return *t; }
    DetectorRecord& record(int n = 1) { return SelectedRecord(databases, n); }
    std::string written() { return std::exchange(port->written, {}); }

    std::shared_ptr<testing::PortRecord> openInstrument(int n) {
        auto r = t.ports.add(n);
        InstrumentSession& s = w().session(n);
        s.port = t.ports.open(n, kInstrumentBaud);
        s.open = true;
        s.comNumber = n;
        s.settings = detectorSettings();
        s.hvApplied = s.settings.highVoltage;
        databases.markLoaded(n);
        return r;
    }

    // The two-instrument layout with MCA 2 open and chosen on the hardware panel.
    std::shared_ptr<testing::PortRecord> chooseSecondInstrument() {
        auto second = openInstrument(2);
        w().state.hardwareTarget = kScreenDecides;
        w().state.view.hardwarePanelInstrument = 2;
        control.showInstrument(2);
        return second;
    }

    testing::TestWorkstation t;
    std::shared_ptr<testing::PortRecord> port;
    AcquisitionHooks hooks;
    AcquisitionEngine engine{*t, hooks};
    DetectorDatabases databases;
    HvRamp ramp{t.clock, t.clock};
    HardwareControl control{*t, engine, databases, ramp};
};

TEST(OffsetForThreshold, FollowsTheThreshold) {
    struct Case {
        int threshold;
        int offset;
    };
    const Case cases[] = {{0, 0}, {20, 40}, {100, 200}, {101, 201}, {150, 250}, {1947, 2047}, {2047, 2047}};
    for (const Case& c : cases) EXPECT_EQ(offsetForThreshold(c.threshold), c.offset) << c.threshold;
}

TEST_F(HardwareControlTest, Threshold150GoesOutWithOffset250) {
    ASSERT_TRUE(control.setThreshold(150));
    // Tv 300 = 0x12C, Ov 500 = 0x1F4
    EXPECT_EQ(written(), bytes({'T', 0x12, 0xC1, 0xF4}));
    EXPECT_EQ(w().session(1).settings.threshold, 150);
    EXPECT_EQ(w().session(1).settings.offset, 250);
    EXPECT_EQ(w().settings.minOffset, 250);
    EXPECT_EQ(control.panel().values().offset, 250);

    // "Set Offset" sends MinOffset with the threshold now in use.
    w().settings.minOffset = 300;
    ASSERT_TRUE(control.setOffset());
    EXPECT_EQ(written(), bytes({'T', 0x12, 0xC2, 0x58}));
    EXPECT_EQ(w().session(1).settings.offset, 300);
}

TEST_F(HardwareControlTest, SetGainSendsCoarseThenFineAtItsUnchangedPosition) {
    control.panel().chooseCoarseGain(2);
    ASSERT_TRUE(control.setCoarseGain());
    EXPECT_EQ(written(), bytes({'C', '2', 'F', 0x7F}));
    EXPECT_GE(port->purges, 1);
    EXPECT_FALSE(control.panel().firstPending());
}

TEST_F(HardwareControlTest, SetThresholdSendsThePendingHvWithItsRampThenTheFineGain) {
    HardwarePanel& panel = control.panel();
    panel.editHighVoltage(900);
    panel.editThreshold(150);
    panel.editFineGain(100);

    std::string writtenWhenRampOpened;
    ramp.setObserver([&](const HvRampWindow& r) {
        if (r.open && r.progress == 0) writtenWhenRampOpened = port->written;
    });
    const auto before = t.clock.steadyMilliseconds();
    ASSERT_TRUE(control.setThreshold());

    const std::string threshold = bytes({'T', 0x12, 0xC1, 0xF4});
    const std::string hv = bytes({'V', 0x73, 0x30});   // 900 V
    EXPECT_EQ(written(), threshold + hv + bytes({'F', 100}));
    EXPECT_EQ(writtenWhenRampOpened, threshold + hv);
    EXPECT_TRUE(ramp.window().done);
    EXPECT_GE(t.clock.steadyMilliseconds() - before, 6000);
    EXPECT_FALSE(panel.firstPending());
}

TEST_F(HardwareControlTest, ShapedInputSendsTheInputThenShapingEight) {
    control.panel().chooseInput(kShapedInput);
    ASSERT_TRUE(control.setInput());
    EXPECT_EQ(written(), "I4S8");
    EXPECT_EQ(w().session(1).settings.shapingIndex, kShapedShaping);
}

TEST_F(HardwareControlTest, HighVoltageIsClampedToTheNotToExceedVoltage) {
    ASSERT_TRUE(control.setHighVoltage(1800));
    EXPECT_EQ(written(), bytes({'V', 0xBF, 0xFC}));   // 1500 V
    EXPECT_EQ(w().session(1).settings.highVoltage, 1500.0);
    EXPECT_EQ(w().session(1).hvApplied, 1500.0);
    EXPECT_EQ(control.panel().values().highVoltage, 1500.0);
    EXPECT_EQ(record()[field::kHighVoltage], "1500");
    EXPECT_EQ(ramp.previousVoltage(1), 1500.0);
    EXPECT_EQ(w().screen.hvStatus, "On");
    EXPECT_EQ(w().screen.hvText, "1500 V");
}

TEST_F(HardwareControlTest, EverySetWritesItsDetectorRecordColumn) {
    struct Case {
        const char* name;
        std::function<bool(HardwareControl&)> set;
        int column;
        std::string text;
    };
    const Case cases[] = {
        {"input", [](HardwareControl& c) { return c.setInput(3); }, field::kInput, "3"},
        {"high voltage", [](HardwareControl& c) { return c.setHighVoltage(812.5); }, field::kHighVoltage, "812.5"},
        {"coarse gain", [](HardwareControl& c) { return c.setCoarseGain(4); }, field::kCoarseGain, "4"},
        {"fine gain", [](HardwareControl& c) { return c.setFineGain(200); }, field::kFineGain, "200"},
        {"shaping time", [](HardwareControl& c) { return c.setShapingTime(6); }, field::kShapingTime, "6"},
        {"threshold", [](HardwareControl& c) { return c.setThreshold(35); }, field::kThreshold, "35"},
    };
    for (const Case& c : cases) {
        databases.database(1) = DetectorDatabase{};
        ASSERT_TRUE(c.set(control)) << c.name;
        for (int f = 0; f < kDetectorFieldCount; ++f) {
            // A coarse gain takes the fine gain with it.
            const bool alsoFine = c.column == field::kCoarseGain && f == field::kFineGain;
            const std::string expected = f == c.column ? c.text : alsoFine ? "127" : "";
            EXPECT_EQ(record()[f], expected) << c.name << " field " << f;
        }
    }
    const HardwareSettings& s = w().session(1).settings;
    EXPECT_EQ(s.inputIndex, 3);
    EXPECT_EQ(s.highVoltage, 812.5);
    EXPECT_EQ(s.coarseGainIndex, 4);
    EXPECT_EQ(s.fineGain, 200);
    EXPECT_EQ(s.shapingIndex, 6);
    EXPECT_EQ(s.threshold, 35);
}

TEST_F(HardwareControlTest, ASetWhileAcquiringStopsAndRestartsAroundIt) {
    struct Case {
        const char* name;
        std::function<bool(HardwareControl&)> set;
        std::string command;
        std::vector<int> pauses;
    };
    // Stop's 100 + 100 ms; the pump, 100 ms more for input and HV; the command's own pauses;
    // Start's 150 and 15 ms.
    const Case cases[] = {
        {"input", [](HardwareControl& c) { return c.setInput(2); }, "I2",
         {100, 100, 100, 100, 50, 50, 50, 50, 50, 50, 150, 15}},
        {"fine gain", [](HardwareControl& c) { return c.setFineGain(90); }, bytes({'F', 90}),
         {100, 100, 0, 100, 100, 150, 15}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(engine.startAcquisition()) << c.name;
        written();
        const std::size_t firstPause = t.clock.pauses().size();
        ASSERT_TRUE(c.set(control)) << c.name;
        EXPECT_EQ(written(), "R" + c.command + "G") << c.name;
        const std::vector<int> pauses(t.clock.pauses().begin() + static_cast<std::ptrdiff_t>(firstPause),
                                      t.clock.pauses().end());
        EXPECT_EQ(pauses, c.pauses) << c.name;
        EXPECT_TRUE(w().state.acquiring) << c.name;
        engine.stopAcquisition();
    }
}

TEST_F(HardwareControlTest, DoesNothingWithoutAnUsableInstrument) {
    struct Case {
        const char* name;
        std::function<void()> arrange;
    };
    const Case cases[] = {
        {"offline", [this] { w().state.offline = true; }},
        {"not open", [this] { w().session(1).open = false; }},
        {"detector table never loaded", [this] { databases = DetectorDatabases{}; }},
    };
    for (const Case& c : cases) {
        c.arrange();
        EXPECT_FALSE(control.setThreshold(150)) << c.name;
        EXPECT_EQ(written(), "") << c.name;
        EXPECT_EQ(record()[field::kThreshold], "") << c.name;
        w().state.offline = false;
        w().session(1).open = true;
        databases.markLoaded(1);
    }
}

TEST_F(HardwareControlTest, ASecondCommandIsRefusedWhileTheFirstWaits) {
    bool nestedResult = true;
    ramp.setObserver([&](const HvRampWindow& r) {
        if (r.progress == 2) nestedResult = control.setThreshold(150);
    });
    EXPECT_FALSE(control.busy());
    ASSERT_TRUE(control.setHighVoltage(1000));
    EXPECT_FALSE(nestedResult);
    EXPECT_FALSE(control.busy());
    // The edit made meanwhile was pending when the running command came to its pending edits.
    EXPECT_EQ(written(), bytes({'V', 0x80, 0x00, 'T', 0x12, 0xC1, 0xF4}));
    EXPECT_FALSE(control.panel().firstPending());
}

TEST_F(HardwareControlTest, APortThatFailsIsReportedAndTheControlFreed) {
    port->failing = true;
    EXPECT_FALSE(control.setFineGain(90));
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_EQ(t.op.messages()[0], "COM1 has gone away");
    EXPECT_FALSE(control.busy());
}

TEST_F(HardwareControlTest, TheHighVoltageMenuSwitchesOffAndRestores) {
    record()[field::kHighVoltage] = "800";
    ramp.setPreviousVoltage(1, 800);
    ASSERT_TRUE(control.disableHighVoltage());
    EXPECT_EQ(written(), bytes({'V', 0x00, 0x00}));
    EXPECT_EQ(w().screen.hvStatus, "Off");
    EXPECT_EQ(w().screen.hvText, "0 V");
    EXPECT_EQ(w().screen.hvMenuCaption, "Enable High &Voltage");
    EXPECT_FALSE(control.highVoltageOn(1));
    EXPECT_EQ(control.panel().values().highVoltage, 0.0);
    EXPECT_EQ(record()[field::kHighVoltage], "800");   // the working voltage stays in the record
    EXPECT_EQ(ramp.window().message.rfind("Changing high voltage from 800V down to 0V.", 0), 0u);

    ASSERT_TRUE(control.enableHighVoltage());
    EXPECT_EQ(written(), bytes({'V', 0x66, 0x64}));   // 800 V
    EXPECT_EQ(w().screen.hvStatus, "On");
    EXPECT_EQ(w().screen.hvText, "800 V");
    EXPECT_EQ(w().screen.hvMenuCaption, "Disable High &Voltage");
    EXPECT_TRUE(control.highVoltageOn(1));
    EXPECT_EQ(control.panel().values().highVoltage, 800.0);
}

TEST_F(HardwareControlTest, ANonZeroTypedVoltageIsWhatEnableRestores) {
    ASSERT_TRUE(control.disableHighVoltage());
    control.panel().editHighVoltage(900);
    control.panel().editHighVoltage(0);
    EXPECT_EQ(control.restoreVoltage(1), 900.0);
    written();
    ASSERT_TRUE(control.enableHighVoltage());
    EXPECT_EQ(written(), bytes({'V', 0x73, 0x30}));
    EXPECT_EQ(w().session(1).hvApplied, 900.0);

    // Setting 0 V is not a working voltage: Enable still brings back 900 V.
    ASSERT_TRUE(control.setHighVoltage(0));
    EXPECT_EQ(control.restoreVoltage(1), 900.0);
    EXPECT_EQ(w().screen.hvStatus, "Off");
}

TEST_F(HardwareControlTest, TheNotToExceedVoltageBecomesColumn7AndTheLimit) {
    control.panel().editNotToExceed(1000);
    EXPECT_FALSE(control.setNotToExceed());   // "Edit NTE Voltage" not ticked
    control.panel().allowNotToExceedEdit(true);
    ASSERT_TRUE(control.setNotToExceed());
    EXPECT_EQ(record()[field::kNotToExceed], "1000");
    EXPECT_EQ(w().session(1).settings.notToExceedVoltage, 1000.0);
    EXPECT_EQ(control.panel().hvLimit(), 1000.0);
    EXPECT_EQ(written(), "");

    ASSERT_TRUE(control.setHighVoltage(1200));
    EXPECT_EQ(written(), bytes({'V', 0x80, 0x00}));   // 1000 V

    ASSERT_TRUE(control.setNotToExceed(2500));          // above the HV unit
    EXPECT_EQ(record()[field::kNotToExceed], "2000");
}

TEST_F(HardwareControlTest, TheRampStatesThePreviousVoltageOfTheChosenInstrument) {
    auto second = chooseSecondInstrument();
    ramp.setPreviousVoltage(2, 1200);
    ASSERT_TRUE(control.setHighVoltage(500));
    EXPECT_EQ(second->written, bytes({'V', 0x40, 0x00}));
    EXPECT_EQ(written(), "");
    EXPECT_EQ(ramp.window().message,
              "Changing high voltage from 1200V down to 500V. This will take approximately 4 seconds to complete.");
    EXPECT_EQ(ramp.previousVoltage(2), 500.0);
    EXPECT_EQ(ramp.previousVoltage(1), 0.0);
    EXPECT_EQ(record(2)[field::kHighVoltage], "500");
}

TEST_F(HardwareControlTest, Mode5SetsTheAxisAndSendsSmoothing1) {
    const std::size_t firstPause = t.clock.pauses().size();
    ASSERT_TRUE(control.setMode(5));
    EXPECT_EQ(written(), "M5X1");
    EXPECT_EQ(control.xAxis(1).first, -1);
    EXPECT_EQ(control.xAxis(1).last, 254);
    EXPECT_EQ(control.boldModeButton(), 5);
    EXPECT_EQ(w().state.channelCount, 256);
    EXPECT_EQ(w().session(1).settings.mode, ResolutionMode::Channels256);
    const std::vector<int> pauses(t.clock.pauses().begin() + static_cast<std::ptrdiff_t>(firstPause),
                                  t.clock.pauses().end());
    EXPECT_EQ(pauses, (std::vector<int>{500, 500, 5, 1}));
    EXPECT_EQ(record()[field::kChannelsCode], "");   // modes write nothing into the record
}

TEST_F(HardwareControlTest, EachModeSendsTheSmoothingThatSuitsIt) {
    struct Case {
        int mode;
        std::string bytes;
        int lastChannel;
    };
    const Case cases[] = {{1, "M1X4", 4094}, {2, "M2X4", 2046}, {3, "M3X3", 1022}, {4, "M4X2", 510}, {5, "M5X1", 254}};
    for (const Case& c : cases) {
        ASSERT_TRUE(control.setMode(c.mode)) << c.mode;
        EXPECT_EQ(written(), c.bytes) << c.mode;
        EXPECT_EQ(control.xAxis(1).last, c.lastChannel) << c.mode;
    }
    EXPECT_FALSE(control.setMode(0));
    EXPECT_FALSE(control.setMode(6));
    EXPECT_EQ(written(), "");
}

TEST_F(HardwareControlTest, AModeChangeStopsTheAcquisitionForGood) {
    ASSERT_TRUE(engine.startAcquisition());
    written();
    ASSERT_TRUE(control.setMode(3));
    EXPECT_EQ(written(), "RM3X3");
    EXPECT_FALSE(w().state.acquiring);
}

TEST_F(HardwareControlTest, ModeAndSmoothingIgnoreTheHardwarePanelChoice) {
    auto second = chooseSecondInstrument();
    ASSERT_TRUE(control.setMode(2));
    ASSERT_TRUE(control.setAdcSmoothing(0));
    EXPECT_EQ(written(), "M2X4X0");
    EXPECT_EQ(second->written, "");

    auto third = openInstrument(3);
    w().state.quadLayout = true;
    w().state.view.chooser = InstrumentChooser::Mca3;
    ASSERT_TRUE(control.setMode(4));
    EXPECT_EQ(third->written, "M4X2");
    EXPECT_EQ(control.xAxis(3).last, 510);
}

TEST_F(HardwareControlTest, AdcCorrectionsOffSendsSmoothing0AndOnTheModesSmoothing) {
    ASSERT_TRUE(control.setMode(3));
    written();
    ASSERT_TRUE(control.setAdcCorrections(false));
    EXPECT_EQ(written(), "X0");
    ASSERT_TRUE(control.setMode(4));
    EXPECT_EQ(written(), "M4X0");   // the switch holds across a mode change
    ASSERT_TRUE(control.setAdcCorrections(true));
    EXPECT_EQ(written(), "X2");
    EXPECT_FALSE(control.setAdcSmoothing(5));
}

TEST_F(HardwareControlTest, StartSendsTheDetectorSettingsOneByOneWithoutWritingTheRecord) {
    for (SettingStep step : {SettingStep::InputAndPolarity, SettingStep::ShapingTime, SettingStep::CoarseGain,
                             SettingStep::FineGain, SettingStep::Threshold}) {
        control.applySetting(1, step);
    }
    EXPECT_EQ(written(), "I1S2C1" + bytes({'F', 0x7F, 'T', 0x02, 0x80, 0x50}));
    EXPECT_EQ(record(), DetectorRecord{});

    control.setInstrumentHighVoltage(1, 800);
    EXPECT_EQ(written(), bytes({'V', 0x66, 0x64}));
    EXPECT_EQ(ramp.previousVoltage(1), 800.0);
    EXPECT_TRUE(control.highVoltageOn(1));

    // Close sets 0 V with the ramp; what Enable would restore stays the working voltage.
    control.setInstrumentHighVoltage(1, 0);
    EXPECT_EQ(written(), bytes({'V', 0x00, 0x00}));
    EXPECT_EQ(ramp.previousVoltage(1), 0.0);
    EXPECT_EQ(control.restoreVoltage(1), 800.0);
    EXPECT_EQ(record(), DetectorRecord{});
}

TEST_F(HardwareControlTest, UseThisDetectorSendsItsOwnOrderThenTheHighVoltage) {
    ASSERT_TRUE(control.sendDetectorSettings(1));
    EXPECT_EQ(written(), "I1C1" + bytes({'F', 0x7F}) + "S2" + bytes({'T', 0x02, 0x80, 0x50}));
    ASSERT_TRUE(control.sendDetectorHighVoltage(1));
    EXPECT_EQ(written(), bytes({'V', 0x66, 0x64}));
    EXPECT_EQ(w().screen.hvStatus, "On");
    EXPECT_EQ(w().screen.hvText, "800 V");
}

TEST_F(HardwareControlTest, ADetectorChangeSwitchesOffThenRampsDownToZero) {
    ramp.setPreviousVoltage(1, 800);
    const auto before = t.clock.steadyMilliseconds();
    control.switchHighVoltageOff(1);
    EXPECT_EQ(written(), bytes({'p', 'V', 0x00, 0x00}));
    EXPECT_EQ(control.panel().values().highVoltage, 0.0);
    EXPECT_LT(t.clock.steadyMilliseconds() - before, 6000);   // the ramp is a step of its own

    control.rampHighVoltageDown(1);
    EXPECT_EQ(ramp.window().message.rfind("Changing high voltage from 800V down to 0V.", 0), 0u);
    EXPECT_EQ(ramp.previousVoltage(1), 0.0);
}

TEST_F(HardwareControlTest, CloseWritesTheWorkingVoltageBackOnlyAfterTheMenuSwitchedItOff) {
    control.writeBackWorkingHighVoltage(1);
    EXPECT_EQ(record()[field::kHighVoltage], "");

    ASSERT_TRUE(control.setHighVoltage(0));   // 0 V through the panel is written as it is
    EXPECT_EQ(record()[field::kHighVoltage], "0");
    control.writeBackWorkingHighVoltage(1);
    EXPECT_EQ(record()[field::kHighVoltage], "0");

    ASSERT_TRUE(control.disableHighVoltage());
    control.writeBackWorkingHighVoltage(1);
    EXPECT_EQ(record()[field::kHighVoltage], "800");
}

TEST_F(HardwareControlTest, FineTuningStepsLeaveTheOperatorsEditsPending) {
    control.panel().editHighVoltage(1000);
    PanelFineGainControl fineTuning(control);
    ASSERT_TRUE(fineTuning.setFineGain(w(), 1, 130));
    EXPECT_EQ(written(), bytes({'F', 130}));
    EXPECT_TRUE(control.panel().pending(SetButton::HighVoltage));
    EXPECT_EQ(record()[field::kFineGain], "130");
    EXPECT_EQ(control.panel().values().fineGain, 130);

    fineTuning.showPendingFineGain(w(), 1, 131);
    EXPECT_TRUE(control.panel().pending(SetButton::FineGain));
    EXPECT_EQ(control.panel().values().fineGain, 131);
    EXPECT_EQ(written(), "");
}

// The same commands reach a simulated instrument and set it as the panel says.
TEST(HardwareControlOnTheSimulator, TheInstrumentTakesEverySetting) {
    testing::TestWorkstation t;
    sim::SimulatedPortProvider ports{t.clock};
    ports.place(3);
    Workstation w{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app()};
    InstrumentSession& s = w.session(1);
    s.port = ports.open(3, kInstrumentBaud);
    s.open = true;
    s.settings.notToExceedVoltage = 1200;
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    databases.markLoaded(1);
    HvRamp ramp{t.clock, t.clock};
    HardwareControl control{w, engine, databases, ramp};
    control.showInstrument(1);

    ASSERT_TRUE(control.setHighVoltage(800));
    ASSERT_TRUE(control.setThreshold(150));
    ASSERT_TRUE(control.setInput(kShapedInput));
    ASSERT_TRUE(control.setCoarseGain(3));
    ASSERT_TRUE(control.setMode(5));

    const sim::InstrumentState& state = ports.instrument(3)->state();
    EXPECT_NEAR(state.hvVolts(), 800.0, 0.1);
    EXPECT_EQ(state.threshold(), 150);
    EXPECT_EQ(state.offset(), 250);
    EXPECT_EQ(state.input, kShapedInput);
    EXPECT_EQ(state.shapingIndex, kShapedShaping);
    EXPECT_EQ(state.coarseIndex, 3);
    EXPECT_EQ(state.fineGain, 127);
    EXPECT_EQ(state.channels(), 256);
    EXPECT_EQ(state.smoothing, 1);
}

}  // namespace
}  // namespace mca
