// The start sequence: its order, its texts, and every way it can end the process.
#include "core/startup.h"

#include "core/atomic_file.h"
#include "support/recording_steps.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::RecordingSteps;
using testing::TestWorkstation;
using Strings = std::vector<std::string>;

class StartupTest : public ::testing::Test {
protected:
    explicit StartupTest(const std::string& title = "TREL MCA") : t(title) {}

    void SetUp() override {
        t.writeAppFile("Library/TREL.lib", "lib");
        t.writeAppFile("Library/VORALib.lib", "lib");
        t.writeAppFile("Library/OSKA.lib", "lib");
        steps.onReadIdentity = [this](Workstation& ws) {
            InstrumentSession& s = ws.session(1);
            if (s.serialNumber.empty()) s.serialNumber = "212345";
            s.alias = alias;
            s.comNumber = 3;
            s.port = t.ports.open(3, 115200);
            s.open = true;
            s.settings.highVoltage = 850;
        };
        port = t.ports.add(3);
    }

    StartOutcome start(const Strings& args) { return startWorkstation(w, args, steps); }

    TestWorkstation t;
    Workstation& w = *t;
    RecordingSteps steps;
    std::string alias;
    std::shared_ptr<testing::PortRecord> port;
};

TEST_F(StartupTest, OnlineStartRunsEveryStepInOrder) {
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({}), StartOutcome::Running);
    EXPECT_EQ(steps.calls, (Strings{"loadLibrary TREL.lib", "resetFineGainExtremes", "findInstrument", "readIdentity",
                                    "loadDetectorTable 1", "selectDetector 1", "applySetting 0", "applySetting 1",
                                    "applySetting 2", "applySetting 3", "applySetting 4", "setHighVoltage 1 850",
                                    "loadLastFiles", "clearSpectrum", "startBatteryPoll"}));
    EXPECT_EQ(w.screen.splashHistory,
              (Strings{"Loading Application Settings", "Loading Library File", "Reading Model 415 Serial Number",
                       "Obtaining Detector Information", "Setting Input and Polarity", "Setting Shaping Time",
                       "Setting Coarse Gain", "Setting Fine Gain", "Setting Threshold", "Setting High Voltage",
                       "Loading Files"}));
    EXPECT_EQ(t.op.questions(), Strings{"Model 415 # 212345 Found on COM 3.\rEnable High Voltage to 850 volts?"});
    EXPECT_EQ(port->written, "zw");
    std::vector<int> settingPauses;
    for (int step = 0; step < 5; ++step) settingPauses.insert(settingPauses.end(), {50, 50, 50, 50, 50, 100});
    EXPECT_EQ(t.clock.pauses(), settingPauses);
    EXPECT_EQ(w.screen.splashCaption, "Model 415 #212345");
    EXPECT_EQ(w.screen.splashVersion, "Interface Version " + programVersion() + " BETA");
    EXPECT_EQ(w.screen.caption, "TREL MCA");
    EXPECT_EQ(w.screen.hvStatus, "On");
    EXPECT_EQ(w.screen.hvText, "850 V");
    EXPECT_EQ(w.screen.hvMenuCaption, "Disable High &Voltage");
    EXPECT_EQ(w.screen.indicator, "Spectrum Clear");
    EXPECT_EQ(w.state.hardwareTarget, kScreenDecides);
    EXPECT_TRUE(w.screen.maximised);
    for (const char* folder : {"Spectra", "CalFiles", "CalFiles/Archive", "Reports", "Library", "Scripts"}) {
        EXPECT_TRUE(std::filesystem::is_directory(t.app() / folder)) << folder;
    }
}

TEST_F(StartupTest, AliasNamesTheWindowAndTheQuestionLeavesItOutInThisEdition) {
    alias = "Lab 2";
    t.op.answers = {Answer::No};
    ASSERT_EQ(start({}), StartOutcome::Running);
    EXPECT_EQ(t.op.questions(), Strings{"Model 415 # 212345 Found on COM 3.\rEnable High Voltage to 850 volts?"});
    EXPECT_EQ(w.screen.splashCaption, "Model 415 #212345 (Lab 2) ");
    EXPECT_EQ(w.screen.caption, "TREL MCA -- Lab 2");
    EXPECT_EQ(w.screen.applicationTitle, "Lab 2");
    EXPECT_EQ(w.screen.hvStatus, "Off");
    EXPECT_EQ(w.screen.hvText, "0 V");
    EXPECT_EQ(w.screen.hvMenuCaption, "Enable High &Voltage");
    EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), "setHighVoltage 1 850"), 0);
}

TEST_F(StartupTest, AbortAtTheHighVoltageQuestionEndsTheProcess) {
    t.op.answers = {Answer::Abort};
    EXPECT_EQ(start({}), StartOutcome::Ended);
    EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), "loadLastFiles"), 0);
}

TEST_F(StartupTest, AnInstrumentThatFallsSilentCountsAsNotFound) {
    steps.identityRead = false;
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({}), StartOutcome::Running);
    EXPECT_EQ(t.op.questions(), Strings{"Model 415 Not Found.  Open in Offline Mode?"});
    EXPECT_TRUE(w.state.offline);
    EXPECT_EQ(w.screen.caption, "TREL MCA (Offline)");
    EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), "loadDetectorTable 1"), 0);
}

TEST_F(StartupTest, CancellingTheDetectorChoiceEndsTheStart) {
    steps.detectorChosen = false;
    EXPECT_EQ(start({}), StartOutcome::Ended);
    EXPECT_EQ(steps.calls.back(), "selectDetector 1");
}

TEST_F(StartupTest, OfflineSwitchWinsOverComPortAndOpensNothing) {
    ASSERT_EQ(start({"-COM", "7", "-Offline"}), StartOutcome::Running);
    EXPECT_EQ(w.state.forcedComPort, 7);
    EXPECT_EQ(steps.calls, (Strings{"loadLibrary TREL.lib", "resetFineGainExtremes", "loadLastFiles", "clearSpectrum"}));
    EXPECT_EQ(t.ports.openCount, 0);
    EXPECT_EQ(w.screen.caption, "TREL MCA (Offline)");
    EXPECT_EQ(w.screen.hvField, "0.00");
    EXPECT_EQ(w.screen.thresholdField, "20");
    EXPECT_EQ(w.screen.hvStatus, "Off");
    EXPECT_EQ(w.screen.connectionStatus, "Offline");
    EXPECT_FALSE(w.screen.hardwareControlsEnabled);
}

TEST_F(StartupTest, NotFoundAsksForOfflineModeAndNoEnds) {
    steps.instrumentFound = false;
    t.op.answers = {Answer::No};
    EXPECT_EQ(start({}), StartOutcome::Ended);
    EXPECT_EQ(t.op.beeps(), 1);
    EXPECT_EQ(w.screen.splashText, "Model 415 not found");
    ASSERT_EQ(t.op.questions(), Strings{"Model 415 Not Found.  Open in Offline Mode?"});
    EXPECT_EQ(t.op.transcript().back().title, "No Communication");
}

TEST_F(StartupTest, NotFoundAndYesContinuesOffline) {
    steps.instrumentFound = false;
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({}), StartOutcome::Running);
    EXPECT_TRUE(w.state.offline);
    EXPECT_EQ(w.screen.caption, "TREL MCA (Offline)");
}

TEST_F(StartupTest, SpectrumFileArgumentStartsOfflineAndLoadsAfterTheLastFiles) {
    ASSERT_EQ(start({"/data/Cs137.usf"}), StartOutcome::Running);
    EXPECT_TRUE(w.state.offline);
    EXPECT_EQ(steps.calls.back(), "loadSpectrumFile Cs137.usf");
}

TEST_F(StartupTest, SizeGivesANormalWindow) {
    ASSERT_EQ(start({"-Offline", "-SIZE", "800"}), StartOutcome::Running);
    EXPECT_FALSE(w.screen.maximised);
    EXPECT_EQ(w.screen.size.first, 800);
    EXPECT_EQ(t.op.messages(), Strings{"Error setting form size with -SIZE flag!"});
}

TEST_F(StartupTest, QuadLayoutTitlesTheFirstChartWithTheAlias) {
    alias = "North";
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({"-Quad"}), StartOutcome::Running);
    EXPECT_TRUE(w.screen.quadControlsVisible);
    EXPECT_EQ(w.screen.chart1Title, "MCA 1: North");
    EXPECT_EQ(w.screen.applicationTitle, "TREL MCA");
}

TEST_F(StartupTest, MissingLibraryFallsBackToTheDefault) {
    t.writeAppFile("mca.ini", "[Values]\r\nLastLibrary=Gone.lib\r\n");
    ASSERT_EQ(start({"-Offline"}), StartOutcome::Running);
    EXPECT_EQ(t.op.messages(),
              Strings{"TREL Library File Missing!  Attempting to load default library (TREL.lib)"});
    EXPECT_EQ(steps.calls.front(), "loadLibrary TREL.lib");
}

TEST_F(StartupTest, MissingDefaultLibraryEndsTheProcess) {
    std::filesystem::remove(t.app() / "Library/TREL.lib");
    EXPECT_EQ(start({"-Offline"}), StartOutcome::Ended);
    EXPECT_EQ(t.op.messages(),
              (Strings{"TREL Library File Missing!  Attempting to load default library (TREL.lib)",
                       "TREL Library File Missing!  Default library (TREL.lib) is missing. Application will now close."}));
    EXPECT_TRUE(steps.calls.empty());
}

TEST_F(StartupTest, AFolderThatCannotBeMadeEndsWithItsPath) {
    t.writeAppFile("Reports", "a file where the folder belongs");
    EXPECT_EQ(start({"-Offline"}), StartOutcome::Ended);
    EXPECT_EQ(t.op.messages(), Strings{(t.app() / "Reports").string()});
    EXPECT_TRUE(std::filesystem::is_directory(t.app() / "CalFiles/Archive"));   // made before it, in order
    EXPECT_FALSE(std::filesystem::exists(t.app() / "Scripts"));
}

TEST_F(StartupTest, EnergyAxisFollowsTheSettingOnlyWithACalibration) {
    ASSERT_EQ(start({"-Offline"}), StartOutcome::Running);
    EXPECT_FALSE(w.screen.xAxisInEnergy);

    TestWorkstation other;
    other.writeAppFile("Library/TREL.lib", "lib");
    struct CalibratingSteps : RecordingSteps {
        void loadLastFiles(Workstation& ws) override { ws.state.energyCalibration = EnergyCalibrationKind::Linear; }
    } withCalibration;
    ASSERT_EQ(startWorkstation(*other, {"-Offline"}, withCalibration), StartOutcome::Running);
    EXPECT_TRUE(other->screen.xAxisInEnergy);
}

TEST(StartupTitle, AnUnknownTitleEndsBeforeAnythingElse) {
    TestWorkstation t("MCA Deluxe");
    RecordingSteps steps;
    EXPECT_EQ(startWorkstation(*t, {}, steps), StartOutcome::Ended);
    EXPECT_EQ(t.op.messages(), Strings{"Invalid exe name! Application will close."});
    EXPECT_FALSE(std::filesystem::exists(t.app() / "Spectra"));
    EXPECT_TRUE(steps.calls.empty());
}

class VoraStartupTest : public StartupTest {
protected:
    VoraStartupTest() : StartupTest("VORA-II MCA") {}
};

TEST_F(VoraStartupTest, QuestionCarriesTheAlias) {
    alias = "Lab";
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({}), StartOutcome::Running);
    EXPECT_EQ(t.op.questions(), Strings{"VORA-II # 212345 (Lab)  Found on COM 3.\rEnable High Voltage to 850 volts?"});
    EXPECT_EQ(w.screen.splashHistory[2], "Reading VORA-II Serial Number");
    EXPECT_EQ(w.screen.caption, "VORA-II MCA -- Lab");
}

TEST_F(VoraStartupTest, NetworkAcquisitionSkipsTheQuestionAndStartsAtTheEnd) {
    ASSERT_EQ(start({"-RNMODE", "-RNCA", "60", "-RNFP", "siteA"}), StartOutcome::Running);
    EXPECT_TRUE(t.op.questions().empty());
    EXPECT_EQ(w.session(1).serialNumber, "RadNet");
    EXPECT_EQ(w.screen.caption, "VORA-II MCA");
    EXPECT_TRUE(w.screen.elapsedTimeYellow);
    EXPECT_EQ(w.state.networkPrefix, "siteA");
    EXPECT_EQ(w.state.presetRealTime, 60);
    EXPECT_TRUE(w.state.presetRealTimeOn);
    const Strings tail(steps.calls.end() - 4, steps.calls.end());
    EXPECT_EQ(tail, (Strings{"startBatteryPoll", "readNetworkSettings", "clearSpectrum", "startAcquisition"}));
    EXPECT_EQ(t.clock.pauses().back(), 200);
    EXPECT_EQ(port->written, "zw");
    EXPECT_EQ(t.clock.pauses()[0], 250);   // alarm outputs have their pause in network mode
}

class FieldStationStartupTest : public StartupTest {
protected:
    FieldStationStartupTest() : StartupTest("OSKA TALVO") {}
};

TEST_F(FieldStationStartupTest, MakesItsFoldersForcesThePresetAndAutoStarts) {
    t.writeAppFile("mca.ini", "[Values]\r\nAcqTime=1800\r\nAutoStart=1\r\n");
    t.op.answers = {Answer::Yes};
    ASSERT_EQ(start({}), StartOutcome::Running);
    for (const char* folder : {"TALVO Spectra", "TALVO Data", "TALVO CalFiles"}) {
        EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(t.desktop.documents) / folder)) << folder;
    }
    EXPECT_EQ(w.state.presetRealTime, 1800);
    EXPECT_TRUE(w.state.presetRealTimeOn);
    EXPECT_TRUE(w.screen.presetRealTimeReadOnly);
    EXPECT_FALSE(w.screen.presetCountsVisible);
    EXPECT_TRUE(w.screen.metPanelVisible);
    EXPECT_EQ(w.screen.caption, "OSKA TALVO");
    EXPECT_EQ(steps.calls.front(), "loadLibrary OSKA.lib");
    const Strings tail(steps.calls.end() - 4, steps.calls.end());
    EXPECT_EQ(tail, (Strings{"openFieldStation", "clearSpectrum", "takeStartCapture", "startAcquisition"}));
}

TEST_F(FieldStationStartupTest, NoAutoStartOffline) {
    t.writeAppFile("mca.ini", "[Values]\r\nAutoStart=1\r\n");
    ASSERT_EQ(start({"-Offline"}), StartOutcome::Running);
    EXPECT_EQ(steps.calls.back(), "openFieldStation");
}

}  // namespace
}  // namespace mca
