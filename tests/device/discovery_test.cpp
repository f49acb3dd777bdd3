// Finding and opening instruments against the simulated instrument in virtual time: MCA 1 at
// start, the second instrument and the instruments of the four-chart layout, with the port
// limits, the firmware-dependent questions and instruments that stop answering.
#include "device/discovery_first.h"
#include "device/discovery_four_chart.h"
#include "device/discovery_second.h"
#include "device/instrument_identity.h"

#include "core/settings_store.h"
#include "core/startup.h"
#include "sim/simulated_port.h"
#include "support/listening_ports.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mca {
namespace {

using testing::ListeningPorts;

struct RecordingHooks : DiscoveryHooks {
    std::vector<std::string> calls;
    bool detectorChosen = true;
    double detectorVolts = 850;

    void clearSpectrum(Workstation&, int n) override { note("clearSpectrum", n); }
    void loadDetectorTable(Workstation&, int n) override { note("loadDetectorTable", n); }
    bool selectDetector(Workstation& w, int n) override {
        note("selectDetector", n);
        w.session(n).settings.highVoltage = detectorVolts;
        return detectorChosen;
    }
    void applySetting(Workstation&, int n, SettingStep step) override {
        note("applySetting", n, std::to_string(static_cast<int>(step)));
    }
    void setHighVoltage(Workstation&, int n, double volts) override {
        note("setHighVoltage", n, std::to_string(static_cast<int>(volts)));
    }
    void showChartTitle(Workstation&, int n, const std::string& title) override { note("chartTitle", n, title); }
    void showSerialNumber(Workstation&, int n, const std::string& text) override { note("serial", n, text); }
    void showHighVoltageStatus(Workstation&, int n, const std::string& status, const std::string& volts) override {
        note("hv", n, status + " " + volts);
    }
    void showSecondInstrumentControls(Workstation&) override { calls.push_back("secondControls"); }
    void showTwoInstrumentView(Workstation&, TwoInstrumentView) override { calls.push_back("view"); }
    void loadLastFiles(Workstation&, int n) override { note("loadLastFiles", n); }
    void autoOpenMetStation(Workstation&) override { calls.push_back("autoOpenMetStation"); }
    void openFieldLogs(Workstation&) override { calls.push_back("openFieldLogs"); }
    void clearAndRestart(Workstation&) override { calls.push_back("clearAndRestart"); }

    bool called(const std::string& call) const { return std::count(calls.begin(), calls.end(), call) > 0; }
    int count(const std::string& prefix) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                              [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

private:
    void note(const std::string& what, int n, const std::string& detail = {}) {
        calls.push_back(what + " " + std::to_string(n) + (detail.empty() ? "" : " " + detail));
    }
};

// The start sequence with MCA 1 found and identified by this subsystem.
class DiscoveryStartSteps : public StartCloseSteps {
public:
    explicit DiscoveryStartSteps(DiscoveryHooks& hooks) : m_hooks(hooks) {}
    bool findInstrument(Workstation& w) override { return openFirstInstrument(w); }
    bool readIdentity(Workstation& w) override {
        identity = readFirstInstrumentIdentity(w, m_hooks);
        return identity == IdentityOutcome::Read;
    }
    std::optional<IdentityOutcome> identity;

private:
    DiscoveryHooks& m_hooks;
};

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

sim::InstrumentConfig instrumentWith(const std::string& serial, const std::string& firmware = "1.08",
                                     bool negative = false, int hvUnit = 2000) {
    sim::InstrumentConfig config;
    config.identity.serialNumber = serial;
    config.identity.firmware = firmware;
    config.identity.negativePolarity = negative;
    config.identity.hvUnitVolts = hvUnit;
    return config;
}

class DiscoveryTest : public ::testing::Test {
protected:
    DiscoveryTest() { t.writeAppFile("Library/VORALib.lib", "lib"); }

    bool splashShown(const std::string& text) const {
        const auto& h = w.screen.splashHistory;
        return std::find(h.begin(), h.end(), text) != h.end();
    }
    StartOutcome start(const std::vector<std::string>& arguments = {}) {
        return startWorkstation(w, arguments, steps);
    }

    testing::TestWorkstation t;
    sim::SimulatedPortProvider simPorts{t.clock};
    ListeningPorts ports{simPorts};
    Workstation w{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "VORA-II MCA", t.app()};
    RecordingHooks hooks;
    DiscoveryStartSteps steps{hooks};
};

// --- MCA 1 at start -------------------------------------------------------------------------

struct FirmwareCase {
    const char* name;
    const char* firmware;
    bool negative;
    int hvUnit;
    bool asked;             // polarity and HV unit queried
    int expectedHvUnit;
    const char* statusText;
};

class DiscoveryFirmware : public DiscoveryTest, public ::testing::WithParamInterface<FirmwareCase> {};

TEST_P(DiscoveryFirmware, AsksPolarityAndHvUnitOnlyFromRevision108) {
    const FirmwareCase& c = GetParam();
    simPorts.place(3, instrumentWith("212345", c.firmware, c.negative, c.hvUnit));
    t.op.answers = {Answer::No};   // the HV question
    ASSERT_EQ(start(), StartOutcome::Running);
    ASSERT_EQ(steps.identity, IdentityOutcome::Read);

    const InstrumentSession& s = w.session(1);
    EXPECT_TRUE(s.open);
    EXPECT_EQ(s.comNumber, 3);
    EXPECT_EQ(s.serialNumber, "212345");
    EXPECT_EQ(s.firmwareText, c.firmware);
    EXPECT_EQ(s.hvFullScale, c.expectedHvUnit);
    EXPECT_EQ(s.hvNegative, c.asked && c.negative);
    EXPECT_TRUE(hooks.called(std::string("serial 1 ") + c.statusText));

    const std::string& written = ports.written(3);
    const std::string afterFirmware = written.substr(written.find('f'));
    EXPECT_EQ(afterFirmware.find('%') != std::string::npos, c.asked) << written;
    EXPECT_EQ(afterFirmware.find('2') != std::string::npos, c.asked) << written;
    EXPECT_TRUE(splashShown("Reading VORA-II #212345 Firmware Revision"));
    EXPECT_EQ(w.screen.splashCaption, "VORA-II #212345");
}

INSTANTIATE_TEST_SUITE_P(
    Discovery, DiscoveryFirmware,
    ::testing::Values(FirmwareCase{"Revision108Negative", "1.08", true, 1500, true, 1500, "212345N"},
                      FirmwareCase{"Revision110Positive", "1.10", false, 1000, true, 1000, "212345"},
                      FirmwareCase{"Revision107", "1.07", true, 1500, false, 2000, "212345"},
                      FirmwareCase{"HvUnitReadsZero", "1.08", false, 0, true, 2000, "212345"}),
    caseName<FirmwareCase>);

TEST_F(DiscoveryTest, AnInstrumentOnCom250IsNotFoundAlthoughTheSearchReachesIt) {
    simPorts.place(250, instrumentWith("212345"));
    t.op.answers = {Answer::Yes};   // open offline
    ASSERT_EQ(start(), StartOutcome::Running);
    EXPECT_TRUE(w.state.offline);
    EXPECT_FALSE(w.session(1).open);
    EXPECT_FALSE(w.session(1).port);
    EXPECT_TRUE(splashShown("Looking for VORA-II on COM1"));
    EXPECT_TRUE(splashShown("Looking for VORA-II on COM250"));
    EXPECT_FALSE(splashShown("Looking for VORA-II on COM251"));   // the search stopped there
    EXPECT_EQ(t.op.questions(), std::vector<std::string>{"VORA-II Not Found.  Open in Offline Mode?"});
    EXPECT_NO_THROW(simPorts.open(250, 115200));   // its port was closed again
}

TEST_F(DiscoveryTest, TheSearchStopsAtTheFirstInstrument) {
    simPorts.place(4, instrumentWith("214444"));
    simPorts.place(6, instrumentWith("216666"));
    ASSERT_TRUE(openFirstInstrument(w));
    EXPECT_EQ(w.session(1).comNumber, 4);
    EXPECT_FALSE(splashShown("Looking for VORA-II on COM5"));
    EXPECT_EQ(w.screen.splashText, "Reading Battery Voltage");
    EXPECT_FALSE(w.session(1).open);   // marked open once its identity is read
}

TEST_F(DiscoveryTest, ComSwitchTriesOnlyItsPortAndKeepsTheUsableRange) {
    simPorts.place(3, instrumentWith("212345"));
    simPorts.place(198, instrumentWith("219898"));
    w.state.forcedComPort = 198;
    EXPECT_FALSE(openFirstInstrument(w));
    EXPECT_FALSE(splashShown("Looking for VORA-II on COM3"));
    w.state.forcedComPort = 3;
    EXPECT_TRUE(openFirstInstrument(w));
}

TEST_F(DiscoveryTest, SpecifyComPortWithTheDialogCancelledGoesOnToTheOfflineQuestion) {
    simPorts.place(3, instrumentWith("212345"));
    writeSetting(w, "SpecifyCOMPort", "1");
    t.op.textInputs = {std::nullopt};
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start(), StartOutcome::Running);
    EXPECT_TRUE(w.state.offline);
    EXPECT_TRUE(ports.written(3).empty());   // no port was tried
    EXPECT_EQ(t.op.questions(), std::vector<std::string>{"VORA-II Not Found.  Open in Offline Mode?"});
}

TEST_F(DiscoveryTest, SpecifyComPortTriesTheChosenPortOnly) {
    simPorts.place(3, instrumentWith("213333"));
    simPorts.place(7, instrumentWith("217777"));
    writeSetting(w, "SpecifyCOMPort", "1");
    t.op.textInputs = {std::string("COM7")};
    t.op.answers = {Answer::No};
    ASSERT_EQ(start(), StartOutcome::Running);
    EXPECT_EQ(w.session(1).serialNumber, "217777");
    EXPECT_TRUE(ports.written(3).empty());
    EXPECT_EQ(readSetting(w, "LastExplicitPortNum", ""), "COM7");
}

TEST_F(DiscoveryTest, MonitoringNetworkModeTakesRadNetAndAsksNoSerialPolarityOrHvUnit) {
    simPorts.place(3, instrumentWith("212345", "1.08", true, 1500));
    t.op.answers = {Answer::No};
    ASSERT_EQ(start({"-RNMODE"}), StartOutcome::Running);
    ASSERT_EQ(steps.identity, IdentityOutcome::Read);
    const InstrumentSession& s = w.session(1);
    EXPECT_EQ(s.serialNumber, "RadNet");
    EXPECT_EQ(s.hvFullScale, 2000);
    EXPECT_FALSE(s.hvNegative);
    const std::string& written = ports.written(3);
    EXPECT_EQ(written.find('@'), std::string::npos);
    EXPECT_EQ(written.find('%'), std::string::npos);
    EXPECT_NE(written.find('f'), std::string::npos);
}

struct SilenceCase {
    const char* name;
    const char* ignored;       // the command the instrument never receives
    bool foundOnPort;          // it still answered "U"
};

class DiscoverySilence : public DiscoveryTest, public ::testing::WithParamInterface<SilenceCase> {};

TEST_P(DiscoverySilence, ASilentInstrumentEndsInNotFoundWithinTheBound) {
    const SilenceCase& c = GetParam();
    simPorts.place(3, instrumentWith("212345"));
    ports.ignore(3, c.ignored);
    EXPECT_EQ(openFirstInstrument(w), c.foundOnPort);
    if (!c.foundOnPort) return;
    const auto before = t.clock.steadyMilliseconds();
    EXPECT_EQ(readFirstInstrumentIdentity(w, hooks), IdentityOutcome::Silent);
    EXPECT_LE(t.clock.steadyMilliseconds() - before, 250 + 2 * kReplyPatienceMs + 1000);
    EXPECT_FALSE(w.session(1).open);
    EXPECT_FALSE(w.session(1).port);
    EXPECT_NO_THROW(simPorts.open(3, 115200));
}

INSTANTIATE_TEST_SUITE_P(Discovery, DiscoverySilence,
                         ::testing::Values(SilenceCase{"AnswersNothing", "U", false},
                                           SilenceCase{"NoSerialNumber", "@", true},
                                           SilenceCase{"NoFirmwareRevision", "f", true}),
                         caseName<SilenceCase>);

TEST_F(DiscoveryTest, AFirmwareRevisionThatIsNoNumberIsReportedAndTheOpenFails) {
    simPorts.place(3, instrumentWith("212345", "1.0x"));
    ASSERT_TRUE(openFirstInstrument(w));
    EXPECT_EQ(readFirstInstrumentIdentity(w, hooks), IdentityOutcome::UnreadableFirmware);
    EXPECT_FALSE(w.session(1).open);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"VORA-II #212345 reported the firmware revision \"1.0x\", "
                                                        "which is not a number. The instrument cannot be used."});
}

// --- Port limits of the three sequences -----------------------------------------------------

enum class Sequence { First, Second, FourChart };

struct LimitCase {
    const char* name;
    Sequence sequence;
    int comNumber;
    bool found;
};

class DiscoveryPortLimit : public DiscoveryTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(DiscoveryPortLimit, CountsOnlyInTheUsableRange) {
    const LimitCase& c = GetParam();
    simPorts.place(c.comNumber, instrumentWith("212345"));
    t.op.answers = {Answer::No, Answer::Yes};   // the HV question, or the offline question
    switch (c.sequence) {
    case Sequence::First: EXPECT_EQ(openFirstInstrument(w), c.found); break;
    case Sequence::Second: EXPECT_EQ(openSecondInstrument(w, hooks) == OpenOutcome::Opened, c.found); break;
    case Sequence::FourChart: EXPECT_EQ(openInstrument(w, 3, hooks) == OpenOutcome::Opened, c.found); break;
    }
}

INSTANTIATE_TEST_SUITE_P(Discovery, DiscoveryPortLimit,
                         ::testing::Values(LimitCase{"FirstOnCom197", Sequence::First, 197, true},
                                           LimitCase{"FirstOnCom198", Sequence::First, 198, false},
                                           LimitCase{"FirstOnCom399", Sequence::First, 399, false},
                                           LimitCase{"SecondOnCom97", Sequence::Second, 97, true},
                                           LimitCase{"SecondOnCom98", Sequence::Second, 98, false},
                                           LimitCase{"SecondOnCom100", Sequence::Second, 100, false},
                                           LimitCase{"FourChartOnCom197", Sequence::FourChart, 197, true},
                                           LimitCase{"FourChartOnCom198", Sequence::FourChart, 198, false}),
                         caseName<LimitCase>);

// --- The second instrument ------------------------------------------------------------------

TEST_F(DiscoveryTest, SecondInstrumentIsRefusedOfflineAndWhileAcquiring) {
    w.state.offline = true;
    EXPECT_EQ(openSecondInstrument(w, hooks), OpenOutcome::Refused);
    w.state.offline = false;
    w.state.acquiring = true;
    EXPECT_EQ(openSecondInstrument(w, hooks), OpenOutcome::Refused);
    EXPECT_EQ(t.op.messages(), (std::vector<std::string>{"Cannot open port to second MCA while offline.",
                                                         "Cannot open port to second MCA while acquiring."}));
    EXPECT_TRUE(hooks.calls.empty());
    EXPECT_EQ(w.state.hardwareTarget, 1);
}

TEST_F(DiscoveryTest, SecondInstrumentOpensBesideTheFirst) {
    simPorts.place(3, instrumentWith("213333"));
    simPorts.place(5, instrumentWith("215555", "1.08", true, 1500));
    w.session(1).port = ports.open(3, 115200);   // MCA 1 holds COM3, so the search passes it by
    w.session(1).open = true;
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(openSecondInstrument(w, hooks), OpenOutcome::Opened);

    const InstrumentSession& s = w.session(2);
    EXPECT_TRUE(s.open);
    EXPECT_EQ(s.comNumber, 5);
    EXPECT_EQ(s.serialNumber, "215555");
    EXPECT_EQ(s.hvFullScale, 1500);
    EXPECT_EQ(w.screen.instrumentStatus[1].battery, "9.00");
    EXPECT_NE(ports.written(5).find("BN@"), std::string::npos);
    EXPECT_EQ(t.op.questions(),
              std::vector<std::string>{"VORA-II # 215555 Found on COM 5.\rEnable High Voltage to 850 volts?"});
    const std::vector<std::string> expected{"clearSpectrum 2",  "serial 2 215555N", "loadDetectorTable 2",
                                            "selectDetector 2", "applySetting 2 0", "applySetting 2 1",
                                            "applySetting 2 2", "applySetting 2 3", "applySetting 2 4",
                                            "setHighVoltage 2 850", "hv 2 On 850 V", "secondControls",
                                            "view"};
    EXPECT_EQ(hooks.calls, expected);
    EXPECT_EQ(w.state.view.twoInstrumentView, TwoInstrumentView::Combined);
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
}

TEST_F(DiscoveryTest, SecondInstrumentNotFoundBeepsAndSaysSo) {
    simPorts.place(98, instrumentWith("219898"));
    EXPECT_EQ(openSecondInstrument(w, hooks), OpenOutcome::NotFound);
    EXPECT_EQ(t.op.beeps(), 1);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"VORA-II Not Found."});
    EXPECT_FALSE(w.session(2).open);
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
}

struct GiveUpCase {
    const char* name;
    bool detectorChosen;
    std::vector<Answer> answers;
    const char* ignored;      // a command the instrument never receives, or ""
    OpenOutcome outcome;
};

class DiscoverySecondGivesUp : public DiscoveryTest, public ::testing::WithParamInterface<GiveUpCase> {};

TEST_P(DiscoverySecondGivesUp, ClosesThePortAgain) {
    const GiveUpCase& c = GetParam();
    simPorts.place(5, instrumentWith("215555"));
    if (*c.ignored) ports.ignore(5, c.ignored);
    hooks.detectorChosen = c.detectorChosen;
    t.op.answers.assign(c.answers.begin(), c.answers.end());
    const auto before = t.clock.steadyMilliseconds();
    EXPECT_EQ(openSecondInstrument(w, hooks), c.outcome);
    EXPECT_LE(t.clock.steadyMilliseconds() - before, 2 * kReplyPatienceMs + 5000);
    EXPECT_FALSE(w.session(2).open);
    EXPECT_FALSE(w.session(2).port);
    EXPECT_FALSE(hooks.called("secondControls"));
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
    EXPECT_NO_THROW(simPorts.open(5, 115200));
}

INSTANTIATE_TEST_SUITE_P(
    Discovery, DiscoverySecondGivesUp,
    ::testing::Values(GiveUpCase{"DetectorDialogCancelled", false, {}, "", OpenOutcome::NotInUse},
                      GiveUpCase{"AbortAtTheHvQuestion", true, {Answer::Abort}, "", OpenOutcome::NotInUse},
                      GiveUpCase{"BatteryNeverAnswers", true, {}, "B", OpenOutcome::NotFound},
                      GiveUpCase{"SerialNumberNeverComes", true, {}, "@", OpenOutcome::NotFound}),
    caseName<GiveUpCase>);

// --- Instrument n of the four-chart layout --------------------------------------------------

TEST_F(DiscoveryTest, FourChartInstrumentOpensAsAtStart) {
    simPorts.place(7, instrumentWith("217777"));
    t.writeAppFile("217777_Alias.txt", "Bench\r\n");
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(openInstrument(w, 3, hooks), OpenOutcome::Opened);

    const InstrumentSession& s = w.session(3);
    EXPECT_TRUE(s.open);
    EXPECT_EQ(s.alias, "Bench");
    EXPECT_EQ(s.battery.raw, 768);   // 9 V
    EXPECT_TRUE(splashShown("Looking for VORA-II #3 on COM7"));
    EXPECT_TRUE(splashShown("Reading VORA-II #3 Serial Number"));
    EXPECT_EQ(w.screen.splashCaption, "VORA-II #217777 (Bench) ");
    EXPECT_TRUE(hooks.called("chartTitle 3 MCA 3: Bench"));
    EXPECT_TRUE(hooks.called("setHighVoltage 3 850"));
    EXPECT_TRUE(hooks.called("loadLastFiles 3"));
    EXPECT_NE(ports.written(7).find("zw"), std::string::npos);   // alarm outputs off before the settings
    EXPECT_EQ(t.op.questions(), std::vector<std::string>{"VORA-II # 217777 (Bench)  Found on COM 7.\r"
                                                         "Enable High Voltage to 850 volts?"});
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
}

TEST_F(DiscoveryTest, AnAliasFileWithAnEmptyFirstLineGivesNoAliasAndNoChartTitle) {
    simPorts.place(7, instrumentWith("217777"));
    t.writeAppFile("217777_Alias.txt", "\r\nBench\r\n");
    t.op.answers = {Answer::No};
    ASSERT_EQ(openInstrument(w, 2, hooks), OpenOutcome::Opened);
    EXPECT_EQ(w.session(2).alias, "");
    EXPECT_EQ(hooks.count("chartTitle"), 0);
}

struct FourChartNotFoundCase {
    const char* name;
    bool batteryAnswers;     // the instrument is there but its battery reads zero otherwise
    bool instrumentThere;
    Answer answer;           // to "Open in Offline Mode?"
    OpenOutcome outcome;
};

class DiscoveryFourChartNotFound : public DiscoveryTest,
                                   public ::testing::WithParamInterface<FourChartNotFoundCase> {};

TEST_P(DiscoveryFourChartNotFound, AsksWhetherToGoOn) {
    const FourChartNotFoundCase& c = GetParam();
    if (c.instrumentThere) simPorts.place(7, instrumentWith("217777"));
    if (!c.batteryAnswers) ports.ignore(7, "B");
    t.op.answers = {c.answer, Answer::No};   // the offline question, then the HV question
    EXPECT_EQ(openInstrument(w, 4, hooks), c.outcome);
    EXPECT_EQ(t.op.beeps(), 1);
    EXPECT_TRUE(splashShown("VORA-II #4 not found"));
    ASSERT_GE(t.op.questions().size(), 1u);
    EXPECT_EQ(t.op.questions()[0], "VORA-II #4 Not Found.  Open in Offline Mode?");
    EXPECT_EQ(t.op.transcript()[1].title, "No Communication");
    EXPECT_EQ(w.session(4).open, c.outcome == OpenOutcome::Opened);
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
}

INSTANTIATE_TEST_SUITE_P(
    Discovery, DiscoveryFourChartNotFound,
    ::testing::Values(FourChartNotFoundCase{"NoInstrumentYes", true, false, Answer::Yes, OpenOutcome::NotFound},
                      FourChartNotFoundCase{"NoInstrumentNo", true, false, Answer::No, OpenOutcome::EndRequested},
                      FourChartNotFoundCase{"SilentBatteryYesGoesOn", false, true, Answer::Yes, OpenOutcome::Opened},
                      FourChartNotFoundCase{"SilentBatteryNo", false, true, Answer::No, OpenOutcome::EndRequested}),
    caseName<FourChartNotFoundCase>);

TEST_F(DiscoveryTest, FieldStationOpensTheSecondInstrumentAndTheLogsAfterMca1) {
    w.state.edition = *editionFromTitle("OSKA TALVO");
    w.state.fieldStation = true;
    w.settings.autoConnectMca2 = true;
    w.settings.autoConnectMet = true;
    w.settings.acqTime = 600;
    simPorts.place(2, instrumentWith("212222"));
    simPorts.place(4, instrumentWith("214444"));
    t.op.answers = {Answer::No, Answer::No};   // the HV questions of MCA 1 and the second
    ASSERT_EQ(openInstrument(w, 1, hooks), OpenOutcome::Opened);
    EXPECT_EQ(w.session(1).comNumber, 2);
    EXPECT_EQ(w.session(2).comNumber, 4);
    EXPECT_TRUE(w.session(2).open);
    EXPECT_EQ(w.state.presetRealTime, 600);
    for (const char* call : {"autoOpenMetStation", "openFieldLogs", "clearAndRestart"}) {
        EXPECT_TRUE(hooks.called(call)) << call;
    }
    EXPECT_EQ(w.screen.hvStatus, "Off");
    EXPECT_TRUE(splashShown("Looking for OSKA #1 on COM2"));
}

}  // namespace
}  // namespace mca
