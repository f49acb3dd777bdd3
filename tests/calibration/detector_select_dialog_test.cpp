// Select Detector: title and list, the first-detector request, "Use this detector" with what it
// applies and sends, cancel and close, the network mode, and the Select/Change sequence before it.
#include "calibration/detector_select_dialog.h"

#include "calibration/detector_add_dialog.h"
#include "calibration/detector_change.h"
#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

class RecordingHooks : public DetectorUseHooks {
public:
    Strings calls;

    void showInstrumentDisplay(Workstation&, int n) override { add("show", n); }
    void applyInput(Workstation&, int n, int code) override { add("input", n, code); }
    void applyHighVoltageEntry(Workstation&, int n, double v) override { add("hv", n, v); }
    void applyHighVoltageLimit(Workstation&, int n, double v) override { add("nte", n, v); }
    void applyCoarseGain(Workstation&, int n, int code) override { add("coarse", n, code); }
    void applyFineGain(Workstation&, int n, int position) override { add("fine", n, position); }
    void applyShapingTime(Workstation&, int n, int code) override { add("shaping", n, code); }
    void applyThreshold(Workstation&, int n, int mV) override { add("threshold", n, mV); }
    void applyChannelCount(Workstation&, int n, ResolutionMode m) override { add("channels", n, channelsOf(m)); }
    void applyResolutionMultipliers(Workstation&, const std::string& m, const std::string& f) override {
        calls.push_back("multipliers " + m + " " + f);
    }
    void applyRampOptions(Workstation&, int n, bool ramp, bool zero) override {
        calls.push_back("ramp " + std::to_string(n) + " " + std::to_string(ramp) + " " + std::to_string(zero));
    }
    void sendSettings(Workstation&, int n) override { add("sendSettings", n); }
    void sendHighVoltage(Workstation&, int n) override { add("sendHighVoltage", n); }
    void showDetectorInStatusBar(Workstation&, const std::string& s, const std::string& d) override {
        calls.push_back("statusBar [" + s + "] [" + d + "]");
    }
    void clearRoiTables(Workstation&) override { calls.push_back("clearRoiTables"); }
    void loadEnergyCalibration(Workstation&, const DetectorRecord& r) override {
        calls.push_back("loadEnergyCalibration " + r[field::kName]);
    }
    void refreshDetectorStatus(Workstation&) override { calls.push_back("refreshDetectorStatus"); }
    void stopAcquisition(Workstation&) override { calls.push_back("stopAcquisition"); }
    void stopHousekeepingTimer(Workstation&) override { calls.push_back("stopHousekeepingTimer"); }
    void switchHighVoltageOff(Workstation&, int n) override { add("switchHighVoltageOff", n); }
    void rampHighVoltageDown(Workstation&, int n) override { add("rampHighVoltageDown", n); }
    void clearSpectrum(Workstation&, int n) override { add("clearSpectrum", n); }

private:
    void add(const std::string& what, int n) { calls.push_back(what + " " + std::to_string(n)); }
    void add(const std::string& what, int n, double value) {
        calls.push_back(what + " " + std::to_string(n) + " " + formatValue(value));
    }
    static std::string formatValue(double v) {
        std::string text = std::to_string(v);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
        return text;
    }
};

DetectorRecord detector(const std::string& name, const std::string& serial) {
    DetectorEntries e = genericDetectorEntries();
    e.name = name;
    e.serial = serial;
    e.description = "3x3 NaI";
    e.cableLength = "6";
    e.units = "ft.";
    e.inputCode = 1;
    e.highVoltage = "750.5";
    e.notToExceed = "1100";
    e.coarseGainCode = 2;
    e.fineGainPosition = 140;
    e.shapingTimeCode = 4;
    e.threshold = "30";
    e.channelsCode = 2;
    e.zeroHighVoltage = true;
    DetectorRecord r = detectorRecordFrom(e);
    r[field::kSqrtToFwhm].clear();
    r[field::kFwhmToPeak] = "3.1";
    return r;
}

class DetectorSelectDialogTest : public ::testing::Test {
protected:
    DetectorSelectDialogTest() {
        for (int n = 1; n <= kInstrumentCount; ++n) w.session(n).serialNumber = "20012" + std::to_string(n);
        std::filesystem::create_directories(w.folders.calFiles);
    }

    void fillDatabase(int n) {
        dbs.database(n).add(detector("Birch", "B1"));
        dbs.database(n).add(detector("Alder", "A1"));
    }

    DetectorSelectDialog dialog(int n, DetectorUseOptions options = {}) {
        return DetectorSelectDialog(w, dbs, hooks, n, options);
    }

    std::filesystem::path file(int n) const { return w.folders.calFiles / (w.session(n).serialNumber + "Dets.dat"); }

    TestWorkstation t;
    Workstation& w = *t;
    DetectorDatabases dbs;
    RecordingHooks hooks;
};

TEST_F(DetectorSelectDialogTest, TitleNamesEditionInstrumentAndAlias) {
    struct Case {
        const char* edition;
        int n;
        const char* alias;
        const char* title;
    };
    const Case cases[] = {
        {"VORA-II MCA", 1, "", "Select Detector for VORA-II #200121"},
        {"TREL MCA", 1, "Lab", "Select Detector for Model 415 #200121 (Lab) "},
        {"OSKA MCA", 2, "", "Select Detector for 2nd OSKA #200122"},
        {"OSKA TALVO", 3, "", "Select Detector for 3rd OSKA #200123"},
        {"TREL MCA", 4, "Roof", "Select Detector for 4th Model 415 #200124 (Roof) "},
    };
    for (const Case& c : cases) {
        w.state.edition = *editionFromTitle(c.edition);
        w.session(c.n).alias = c.alias;
        EXPECT_EQ(dialog(c.n).title(), c.title);
    }
}

TEST_F(DetectorSelectDialogTest, ListShowsTheDetectorsWithTheSelectedPreselected) {
    fillDatabase(1);
    selectDetectorRecord(w, dbs, 1, 1);
    DetectorSelectDialog d = dialog(1);
    EXPECT_EQ(d.list(), (Strings{"Alder #A1, 3x3 NaI, 6 ft. cable, 1024 channel",
                                 "Birch #B1, 3x3 NaI, 6 ft. cable, 1024 channel"}));
    EXPECT_EQ(d.listIndex(), 1);
    EXPECT_TRUE(d.useEnabled());
    EXPECT_TRUE(d.addEnabled());
    EXPECT_EQ(d.open(), SelectDialogStart::Shown);
    EXPECT_TRUE(t.op.messages().empty());

    d.chooseListItem(0);
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kName], "Alder");
    EXPECT_EQ(dbs.database(1).record(1)[field::kSelectedIndex], "0");
    EXPECT_EQ(w.session(1).detectorRow, 0);
    d.chooseListItem(2);
    EXPECT_EQ(d.listIndex(), 0);
}

TEST_F(DetectorSelectDialogTest, EmptyDatabaseAsksForADetectorNamingTheInstrument) {
    const char* expected[] = {"A detector must be entered before MCA can be opened.",
                              "A detector must be entered before second MCA can be opened.",
                              "A detector must be entered before third MCA can be opened.",
                              "A detector must be entered before fourth MCA can be opened."};
    for (int n = 1; n <= kInstrumentCount; ++n) {
        DetectorSelectDialog d = dialog(n);
        EXPECT_EQ(d.open(), SelectDialogStart::NeedsDetector);
        EXPECT_EQ(t.op.messages().back(), expected[n - 1]);
        EXPECT_FALSE(d.useEnabled());
    }
}

TEST_F(DetectorSelectDialogTest, FileOfOneEmptyLineLeadsToAddWithGenericDefaults) {
    std::string line = "\"\"";
    for (int f = 1; f < kDetectorFieldCount; ++f) line += ",\"\"";
    writeFileAtomically(file(1), line + "\r\n");
    LoadDetectorDatabase(w, dbs, 1);

    DetectorSelectDialog d = dialog(1, {.startupInProgress = true});
    EXPECT_TRUE(d.list().empty());
    EXPECT_EQ(d.open(), SelectDialogStart::NeedsDetector);
    DetectorAddDialog add(w, dbs, 1);
    EXPECT_EQ(add.baseList(), Strings{"Generic"});
    EXPECT_EQ(add.entries(), genericDetectorEntries());
    ASSERT_EQ(add.add(), AddDetectorOutcome::Added);
    EXPECT_EQ(d.list(), Strings{"Generic #xxxx, Generic, 36 in. cable, 4096 channel"});
    EXPECT_EQ(d.listIndex(), 0);
}

TEST_F(DetectorSelectDialogTest, UseAppliesTheRecordAndSendsAfterStartUp) {
    fillDatabase(1);
    selectDetectorRecord(w, dbs, 1, 1);
    w.state.energyCalibration = EnergyCalibrationKind::Linear;
    w.session(1).settings.offset = 77;
    dialog(1).useThisDetector();
    EXPECT_EQ(hooks.calls,
              (Strings{"show 1", "input 1 1", "hv 1 750.5", "nte 1 1100", "coarse 1 2", "fine 1 140", "shaping 1 4",
                       "threshold 1 30", "channels 1 1024", "multipliers 1 3.1", "ramp 1 0 1", "sendSettings 1",
                       "sendHighVoltage 1", "statusBar [B1] [3x3 NaI]", "clearRoiTables",
                       "loadEnergyCalibration Birch", "refreshDetectorStatus"}));
    const HardwareSettings& s = w.session(1).settings;
    EXPECT_EQ(s.inputIndex, 1);
    EXPECT_EQ(s.highVoltage, 750.5);
    EXPECT_EQ(s.notToExceedVoltage, 1100.0);
    EXPECT_EQ(s.coarseGainIndex, 2);
    EXPECT_EQ(s.fineGain, 140);
    EXPECT_EQ(s.shapingIndex, 4);
    EXPECT_EQ(s.threshold, 30);
    EXPECT_EQ(s.mode, ResolutionMode::Channels1024);
    EXPECT_EQ(s.offset, 77);
    EXPECT_EQ(w.state.energyCalibration, EnergyCalibrationKind::None);
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kSqrtToFwhm], "1");
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kFwhmToPeak], "3.1");
}

TEST_F(DetectorSelectDialogTest, WhatUseSendsDependsOnStartUpAndSelectChange) {
    struct Case {
        const char* name;
        DetectorUseOptions options;
        int instrument;
        Strings sent;
    };
    const Case cases[] = {
        {"start-up", {.startupInProgress = true}, 1, {}},
        {"after Select/Change", {.afterSelectChange = true}, 1, {"sendSettings 1"}},
        {"second instrument", {}, 2, {"sendSettings 2", "sendHighVoltage 2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fillDatabase(c.instrument);
        hooks.calls.clear();
        dialog(c.instrument, c.options).useThisDetector();
        Strings sent;
        bool firstInstrumentSteps = false;
        for (const std::string& call : hooks.calls) {
            if (call.starts_with("send")) sent.push_back(call);
            if (call == "clearRoiTables") firstInstrumentSteps = true;
        }
        EXPECT_EQ(sent, c.sent);
        EXPECT_EQ(firstInstrumentSteps, c.instrument == 1);
    }
}

TEST_F(DetectorSelectDialogTest, UnreadableFieldsDoNotCarryTheLastDetectorsSettingsOver) {
    dbs.database(1).add(detector("Birch", "B1"));
    DetectorRecord& r = SelectedRecord(dbs, 1);
    r[field::kHighVoltage] = "lots";
    r[field::kCoarseGain] = "9";
    r[field::kChannelsCode] = "";
    w.session(1).settings.highVoltage = 1200;
    w.session(1).settings.coarseGainIndex = 5;
    dialog(1).useThisDetector();
    EXPECT_EQ(w.session(1).settings.highVoltage, 0.0);
    EXPECT_EQ(w.session(1).settings.coarseGainIndex, 0);
    EXPECT_EQ(w.session(1).settings.mode, ResolutionMode::Channels4096);
}

TEST_F(DetectorSelectDialogTest, CancelEndsTheProgramOnlyDuringStartUp) {
    fillDatabase(1);
    EXPECT_EQ(dialog(1, {.startupInProgress = true}).cancel(), SelectDialogEnd::EndProgram);
    EXPECT_FALSE(std::filesystem::exists(file(1)));
    EXPECT_EQ(dialog(1).cancel(), SelectDialogEnd::Closed);
    EXPECT_TRUE(std::filesystem::exists(file(1)));
    EXPECT_TRUE(hooks.calls.empty());
}

TEST_F(DetectorSelectDialogTest, ClosingSavesExceptDuringStartUpAndOffline) {
    struct Case {
        const char* name;
        bool startup;
        bool offline;
        bool saved;
    };
    for (const Case& c : {Case{"after start-up", false, false, true}, Case{"start-up", true, false, false},
                          Case{"offline", false, true, false}}) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file(1));
        fillDatabase(1);
        w.state.offline = c.offline;
        dialog(1, {.startupInProgress = c.startup}).close();
        EXPECT_EQ(std::filesystem::exists(file(1)), c.saved);
    }
}

TEST_F(DetectorSelectDialogTest, ClosingWithAnEmptyListSelectsTheFirstRecord) {
    Grid grid;   // damaged: records without a name, the second one selected
    for (const char* serial : {"no name", "other"}) {
        DetectorRecord r;
        r[field::kSerial] = serial;
        r[field::kSelectedIndex] = "1";
        grid.appendRow({r.fields.begin(), r.fields.end()});
    }
    dbs.database(1) = DetectorDatabase::fromGrid(grid);
    DetectorSelectDialog d = dialog(1);
    EXPECT_EQ(d.listIndex(), -1);
    d.close();
    EXPECT_EQ(dbs.database(1).selectedIndex(), 0);
    EXPECT_EQ(readFileBytes(file(1)).substr(0, 9), "\"\",no nam");
}

TEST_F(DetectorSelectDialogTest, FailedSaveIsShownToTheOperator) {
    fillDatabase(1);
    std::filesystem::remove_all(w.folders.calFiles);
    EXPECT_EQ(dialog(1).close(), SelectDialogEnd::Closed);
    ASSERT_EQ(t.op.messages().size(), 1u);
}

TEST_F(DetectorSelectDialogTest, NetworkModeUsesThePreselectedDetectorByItself) {
    fillDatabase(1);
    w.state.networkMode = true;
    DetectorSelectDialog d = dialog(1);
    EXPECT_EQ(d.open(), SelectDialogStart::SelectsItself);
    EXPECT_EQ(d.useAndClose(), SelectDialogEnd::Closed);
    EXPECT_TRUE(std::find(hooks.calls.begin(), hooks.calls.end(), "sendHighVoltage 1") != hooks.calls.end());
    EXPECT_TRUE(std::filesystem::exists(file(1)));
}

TEST_F(DetectorSelectDialogTest, SelectChangeMakesTheHighVoltageSafeFirst) {
    fillDatabase(2);
    w.state.edition = *editionFromTitle("TREL MCA");
    w.session(2).open = true;
    w.state.view.chooser = InstrumentChooser::Mca2;
    w.state.hardwareTarget = kScreenDecides;
    w.state.acquiring = true;
    w.screen.xAxisInEnergy = true;
    DetectorSelectDialog d = beginDetectorChange(w, dbs, hooks);
    EXPECT_EQ(hooks.calls, (Strings{"stopAcquisition", "stopHousekeepingTimer", "switchHighVoltageOff 2",
                                    "rampHighVoltageDown 2", "statusBar [] []", "clearSpectrum 2"}));
    EXPECT_EQ(t.op.messages(), Strings{"High voltage disabled.  Safe to change detectors..."});
    EXPECT_EQ(w.screen.hvStatus, "Off");
    EXPECT_EQ(w.screen.hvText, "0 V");
    EXPECT_FALSE(w.screen.xAxisInEnergy);
    EXPECT_FALSE(d.addEnabled());
    EXPECT_EQ(d.title(), "Select Detector for 2nd Model 415 #200122");

    hooks.calls.clear();
    d.useThisDetector();
    EXPECT_TRUE(std::find(hooks.calls.begin(), hooks.calls.end(), "sendSettings 2") != hooks.calls.end());
    EXPECT_TRUE(std::find(hooks.calls.begin(), hooks.calls.end(), "sendHighVoltage 2") == hooks.calls.end());
}

}  // namespace
}  // namespace mca
