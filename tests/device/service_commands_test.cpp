// The service controls: when they are offered, their refusals with the exact words, and their
// commands against the simulated instrument in virtual time.
#include "device/service_commands.h"

#include "core/atomic_file.h"
#include "sim/simulated_port.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace mca {
namespace {

// MCA 1 is the simulated instrument on COM2, with the marker file in place.
class ServiceCommandsTest : public ::testing::Test {
protected:
    explicit ServiceCommandsTest(const std::string& title = "TREL MCA") : w(platform(), title, t.app()) {
        w.state.edition = *editionFromTitle(title);
        t.writeAppFile(std::string(kServiceMarkerFile), "");
        sim::InstrumentConfig config;
        config.identity.serialNumber = "213579";
        config.identity.hvUnitVolts = 1500;
        config.identity.negativePolarity = true;
        instrument = &ports.place(2, config);
        InstrumentSession& s = w.session(1);
        s.port = ports.open(2, kInstrumentBaud);
        s.open = true;
        s.firmwareRevision = 1.08;
        databases.markLoaded(1);
        control.showInstrument(1);
    }

    Platform platform() { return Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}; }
    const sim::InstrumentState& state() const { return instrument->state(); }

    testing::TestWorkstation t;
    sim::SimulatedPortProvider ports{t.clock};
    sim::Instrument* instrument = nullptr;
    Workstation w;
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    HvRamp ramp{t.clock, t.clock};
    HardwareControl control{w, engine, databases, ramp};
    ServiceCommands service{w, engine, control};
};

TEST_F(ServiceCommandsTest, AreOfferedOnlyWithTheMarkerFileWhileOnline) {
    EXPECT_TRUE(serviceControlsShown(w));
    w.state.offline = true;
    EXPECT_FALSE(serviceControlsShown(w));
    EXPECT_FALSE(service.setPdaMode());
    w.state.offline = false;
    std::filesystem::remove(t.app() / kServiceMarkerFile);
    EXPECT_FALSE(serviceControlsShown(w));
    EXPECT_FALSE(service.writeSerialNumber("299999"));
    EXPECT_FALSE(service.applyHvPreset(kHvPresets[2]));
    EXPECT_EQ(state().identity.serialNumber, "213579");
    EXPECT_EQ(state().hvCode, 0);
    EXPECT_FALSE(state().modeK);
}

TEST_F(ServiceCommandsTest, RefusesWhatAnAcquisitionWouldSpoil) {
    struct Case {
        const char* name;
        std::function<bool(ServiceCommands&)> command;
        std::string_view message;
    };
    const Case cases[] = {
        {"read S/N", [](ServiceCommands& s) { return s.readSerialNumber().has_value(); },
         kNoReadSerialWhileAcquiring},
        {"write S/N", [](ServiceCommands& s) { return s.writeSerialNumber("299999"); }, kNoWriteSerialWhileAcquiring},
        {"firmware", [](ServiceCommands& s) { return s.readFirmware().has_value(); }, kNoFirmwareWhileAcquiring},
        {"set PDA", [](ServiceCommands& s) { return s.setPdaMode(); }, kNoSetPdaWhileAcquiring},
        {"end PDA", [](ServiceCommands& s) { return s.endPdaMode(); }, kNoEndPdaWhileAcquiring},
        {"polarity", [](ServiceCommands& s) { return s.readPolarity().has_value(); }, kNoPolarityWhileAcquiring},
        {"HV unit", [](ServiceCommands& s) { return s.readHvUnit().has_value(); }, kNoHvUnitWhileAcquiring},
    };
    ASSERT_TRUE(engine.startAcquisition());
    for (const Case& c : cases) {
        const std::size_t shown = t.op.messages().size();
        EXPECT_FALSE(c.command(service)) << c.name;
        ASSERT_EQ(t.op.messages().size(), shown + 1) << c.name;
        EXPECT_EQ(t.op.messages().back(), c.message) << c.name;
    }
    EXPECT_EQ(state().identity.serialNumber, "213579");
    EXPECT_FALSE(state().modeK);
    EXPECT_TRUE(state().acquiring);
}

TEST_F(ServiceCommandsTest, SerialNumbersAreSixDigitsBeginningWith2) {
    struct Case {
        const char* serial;
        std::string_view refusal;   // empty: written
    };
    const Case cases[] = {
        {"312345", kSerialMustBeginWith2}, {"2123a5", kSerialMustBeginWith2}, {"21234", kSerialMustBeSixDigits},
        {"2123456", kSerialMustBeSixDigits}, {"", kSerialMustBeSixDigits}, {"246810", ""},
    };
    for (const Case& c : cases) {
        const std::size_t shown = t.op.messages().size();
        EXPECT_EQ(service.writeSerialNumber(c.serial), c.refusal.empty()) << c.serial;
        if (c.refusal.empty()) {
            EXPECT_EQ(t.op.messages().size(), shown) << c.serial;
        } else {
            ASSERT_EQ(t.op.messages().size(), shown + 1) << c.serial;
            EXPECT_EQ(t.op.messages().back(), c.refusal) << c.serial;
        }
    }
    EXPECT_EQ(state().identity.serialNumber, "246810");
    EXPECT_EQ(service.readSerialNumber(), "246810");
    EXPECT_EQ(service.fields().serialNumber, "246810");
}

struct FirmwareCase {
    const char* title;
    const char* text;
};

class ServiceFirmwareTest : public ServiceCommandsTest, public ::testing::WithParamInterface<FirmwareCase> {
protected:
    ServiceFirmwareTest() : ServiceCommandsTest(GetParam().title) {}
};

TEST_P(ServiceFirmwareTest, IsShownWithTheEditionsInstrumentName) {
    EXPECT_EQ(service.readFirmware(), "1.08");
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{GetParam().text});
}

INSTANTIATE_TEST_SUITE_P(Editions, ServiceFirmwareTest,
                         ::testing::Values(FirmwareCase{"VORA-II MCA", "VORA-II Firmware version 1.08"},
                                           FirmwareCase{"TREL MCA", "Model 415 Firmware version 1.08"},
                                           FirmwareCase{"OSKA MCA", "OSKA Firmware version 1.08"}));

TEST_F(ServiceCommandsTest, PolarityIsReadAndWritten) {
    EXPECT_EQ(service.readPolarity(), true);
    EXPECT_EQ(service.fields().polarity, kNegativeSupplyText);

    EXPECT_FALSE(service.writePolarity(std::nullopt));
    EXPECT_EQ(t.op.messages().back(), kNoPolaritySelected);
    EXPECT_TRUE(service.writePolarity(false));
    EXPECT_FALSE(state().identity.negativePolarity);
    EXPECT_FALSE(w.session(1).hvNegative);
    EXPECT_EQ(service.readPolarity(), false);
    EXPECT_EQ(service.fields().polarity, kPositiveSupplyText);
}

TEST_F(ServiceCommandsTest, HvUnitIsReadAndWrittenAndBoundsTheHighVoltage) {
    EXPECT_EQ(service.readHvUnit(), 1500);
    EXPECT_EQ(w.session(1).hvFullScale, 1500);
    EXPECT_EQ(service.fields().hvUnit, "1500");
    EXPECT_EQ(control.panel().hvLimit(), 1500.0);

    for (const char* field : {"", "abc", "0"}) {
        EXPECT_FALSE(service.writeHvUnit(field)) << field;
        EXPECT_EQ(t.op.messages().back(), kNoHvUnitEntered) << field;
    }
    EXPECT_TRUE(service.writeHvUnit("1000"));
    EXPECT_EQ(state().identity.hvUnitVolts, 1000);
    EXPECT_EQ(w.session(1).hvFullScale, 1000);
    EXPECT_EQ(control.panel().hvLimit(), 1000.0);
}

TEST_F(ServiceCommandsTest, OlderFirmwareIsNotAskedForPolarityOrHvUnit) {
    w.session(1).firmwareRevision = 1.07;
    EXPECT_EQ(service.readPolarity(), std::nullopt);
    EXPECT_EQ(service.readHvUnit(), std::nullopt);
    EXPECT_EQ(w.session(1).hvFullScale, kDefaultHvFullScale);
    EXPECT_TRUE(t.op.messages().empty());
}

TEST_F(ServiceCommandsTest, PdaModeShowsTheInstrumentsReply) {
    EXPECT_TRUE(service.setPdaMode());
    EXPECT_TRUE(state().modeK);
    EXPECT_TRUE(service.endPdaMode());
    EXPECT_FALSE(state().modeK);
    EXPECT_EQ(t.op.messages(), (std::vector<std::string>{"K mode on", "K mode off"}));
}

TEST_F(ServiceCommandsTest, PresetButtonsSendGainsAndVoltages) {
    w.session(1).hvFullScale = 1500;   // as read when the instrument was opened
    ASSERT_TRUE(service.applyGainPreset(kGainPresets[2]));   // "Gain x4-1.0"
    EXPECT_EQ(state().coarseIndex, 1);
    EXPECT_EQ(state().fineGain, 63);
    ASSERT_TRUE(service.applyGainPreset(kGainPresets[3]));   // "Gain x2-1.0"
    EXPECT_EQ(state().coarseIndex, 0);
    EXPECT_EQ(state().fineGain, 127);
    ASSERT_TRUE(service.applyHvPreset(kHvPresets[2]));       // "1 KV"
    EXPECT_NEAR(state().hvVolts(), 1000.0, 0.1);
    EXPECT_EQ(ramp.previousVoltage(1), 1000.0);
}

TEST_F(ServiceCommandsTest, BaudRateAndTwoByteStreamSwitch) {
    EXPECT_TRUE(service.switchToFastBaud());
    EXPECT_EQ(state().baud, kFastBaud);
    EXPECT_TRUE(service.switchToNormalBaud());
    EXPECT_EQ(state().baud, kInstrumentBaud);
    EXPECT_TRUE(service.setTwoByteStream(true));
    EXPECT_TRUE(state().twoByte);
    EXPECT_TRUE(w.session(1).twoByteDecoding);
    EXPECT_TRUE(service.setTwoByteStream(false));
    EXPECT_FALSE(state().twoByte);
}

// A port that cannot run at 256000 baud.
class SlowOnlyPort : public testing::RecordingPort {
public:
    using RecordingPort::RecordingPort;
    void setBaudRate(int baud) override {
        if (baud == kFastBaud) throw SerialPortError("256000 baud refused");
        RecordingPort::setBaudRate(baud);
    }
};

TEST_F(ServiceCommandsTest, AComputerWithout256000BaudIsTold) {
    auto record = std::make_shared<testing::PortRecord>();
    w.session(1).port = std::make_unique<SlowOnlyPort>(2, record);
    EXPECT_FALSE(service.switchToFastBaud());
    EXPECT_EQ(t.op.messages().back(), kFastBaudUnsupported);
    EXPECT_EQ(record->written, "");
    EXPECT_EQ(record->baud, kInstrumentBaud);
}

TEST_F(ServiceCommandsTest, OverrideOffsetKeepsTheThreshold) {
    ASSERT_TRUE(control.setThreshold(30));
    ASSERT_TRUE(service.setOffsetOverride(75));
    EXPECT_EQ(state().threshold(), 30);
    EXPECT_EQ(state().offset(), 75);
    EXPECT_EQ(w.session(1).settings.offset, 75);
}

TEST_F(ServiceCommandsTest, BatteryTrackingIsSavedAndCleared) {
    service.trackBattery(true);
    w.state.presetRealTime = 250;
    w.state.presetRealTimeOn = true;
    ASSERT_TRUE(engine.startAcquisition());
    t.clock.advance(252000);
    ASSERT_FALSE(w.state.acquiring);
    ASSERT_EQ(service.batteryRows().size(), 2u);   // a reading every 123 s

    const auto file = t.folder.path() / "battery.csv";
    t.op.fileChoices.push_back(file.string());
    ASSERT_TRUE(service.saveBatteryTable());
    const std::string text = readFileBytes(file);
    EXPECT_EQ(text.rfind("Date Time,Battery Volts,Rate\r\n", 0), 0u);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    EXPECT_NE(text.find(",9.00,"), std::string::npos);

    service.clearBatteryTable();
    EXPECT_TRUE(service.batteryRows().empty());
    t.op.fileChoices.push_back(file.string());
    ASSERT_TRUE(service.saveBatteryTable());
    EXPECT_EQ(readFileBytes(file), "Date Time,Battery Volts,Rate\r\n");
    EXPECT_FALSE(service.saveBatteryTable());   // cancelled
}

}  // namespace
}  // namespace mca
