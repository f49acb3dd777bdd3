// The settings file: defaults, the keys with rules of their own, and what is written at close.
#include "core/settings_store.h"

#include "core/atomic_file.h"
#include "core/ini_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;

class SettingsStoreTest : public ::testing::Test {
protected:
    void useEdition(const char* title) {
        t.workstation->state.edition = *editionFromTitle(title);
        t.workstation->state.fieldStation = t.workstation->state.edition.fieldStation;
    }
    void writeIni(const std::string& text) { t.writeAppFile("mca.ini", text); }
    IniFile written() const { return IniFile::load(t.app() / "mca.ini"); }

    TestWorkstation t;
    Workstation& w = *t;
};

TEST_F(SettingsStoreTest, MissingFileGivesEveryDefault) {
    useEdition("TREL MCA");
    loadSettings(w);
    const Settings& s = w.settings;
    const Settings d;
    EXPECT_EQ(s.refresh, RefreshChoice::OneSecond);
    EXPECT_EQ(s.lastLibrary, "TREL.lib");
    EXPECT_EQ(s.mainSpectrumColor, 16777215u);
    EXPECT_EQ(s.gridColor, 3487029u);
    EXPECT_EQ(s.smoothFactor, 1);
    EXPECT_EQ(s.mainTraceStyle, TraceStyle::Line);
    EXPECT_EQ(s.yAxis, YAxisScale::Linear);
    EXPECT_EQ(s.gsTargetChannel, 2554);
    EXPECT_EQ(s.clFactor, "4");
    EXPECT_EQ(s.corrCoeff, "55");
    EXPECT_DOUBLE_EQ(s.rightPeakStart, -0.025);
    EXPECT_TRUE(s.useDpm);
    EXPECT_EQ(s.sampleUnits, "g");
    EXPECT_EQ(s.effMult, d.effMult);
    EXPECT_EQ(s.cutoffChannel, 10);
    EXPECT_TRUE(s.ringOnce);
    EXPECT_EQ(w.state.presetRealTime, 1);
    EXPECT_FALSE(w.state.presetRealTimeOn);
    EXPECT_EQ(w.state.presetCounts, 1);
    EXPECT_EQ(w.state.deadTimeCreditMax, 15);
    EXPECT_TRUE(w.state.deadTimeCorrection);
    EXPECT_EQ(w.state.eventCreditCap, 15);
    EXPECT_EQ(w.session(1).hvFullScale, 2000);
    EXPECT_EQ(w.session(2).hvFullScale, 2000);
    EXPECT_TRUE(t.op.transcript().empty());
    EXPECT_FALSE(std::filesystem::exists(t.app() / "mca.ini"));
}

TEST_F(SettingsStoreTest, DefaultLibraryFollowsTheEdition) {
    useEdition("VORA-II MCA");
    loadSettings(w);
    EXPECT_EQ(w.settings.lastLibrary, "VORALib.lib");
}

TEST_F(SettingsStoreTest, SmoothFactorOutsideTheOfferedFactorsReadsAsOne) {
    useEdition("TREL MCA");
    writeIni("[Values]\r\nSmoothFactor=5\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.smoothFactor, 1);

    writeIni("[Values]\r\nSmoothFactor=24\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.smoothFactor, 24);
}

TEST_F(SettingsStoreTest, StoredFullPathsAreCutToTheFileName) {
    useEdition("TREL MCA");
    writeIni("[Values]\r\nLastLibrary=C:\\Old\\Other.lib\r\nLastROISet=D:\\x\\y\\Lab.roi\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.lastLibrary, "Other.lib");
    EXPECT_EQ(w.settings.lastRoiSet, "Lab.roi");
}

TEST(CutStoredPath, Table) {
    EXPECT_EQ(cutStoredPath("C:\\Old\\Other.lib"), "Other.lib");
    EXPECT_EQ(cutStoredPath("C:Other.lib"), "Other.lib");
    EXPECT_EQ(cutStoredPath("Other.lib"), "Other.lib");
    EXPECT_EQ(cutStoredPath("Sub\\Other.lib"), "Sub\\Other.lib");
    EXPECT_EQ(cutStoredPath(""), "");
}

TEST_F(SettingsStoreTest, RefreshChoiceIsARadioGroupReadInOrder) {
    useEdition("TREL MCA");
    struct Case {
        const char* file;
        RefreshChoice expected;
    };
    const Case cases[] = {
        {"50to100MHz=1\r\n100to250MHz=1\r\n", RefreshChoice::ThreeSeconds},
        {"100to250MHz=1\r\n250to400MHz=1\r\n", RefreshChoice::TwoSeconds},
        {"250to400MHz=0\r\n400to600MHz=1\r\n", RefreshChoice::HalfSecond},
        {"250to400MHz=0\r\n", RefreshChoice::QuarterSecond},
        {"250to400MHz=0\r\n600MHzandUp=0\r\n", RefreshChoice::QuarterSecond},
    };
    for (const Case& c : cases) {
        writeIni(std::string("[Values]\r\n") + c.file);
        loadSettings(w);
        EXPECT_EQ(w.settings.refresh, c.expected) << c.file;
    }
}

TEST_F(SettingsStoreTest, TraceStylesAndYAxis) {
    useEdition("TREL MCA");
    writeIni(
        "[Values]\r\nShowMainSpectrumAsLine=0\r\nShowMainSpectrumAsBars=1\r\n"
        "ShowStaticSpectrumAsLine=0\r\nShowStaticSpectrumAsBars=0\r\nShowStaticSpectrumAsPixels=0\r\n"
        "LinYAxis=0\r\nLogYAxis=1\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.mainTraceStyle, TraceStyle::Bars);
    EXPECT_EQ(w.settings.staticTraceStyle, TraceStyle::Pixels);
    EXPECT_EQ(w.settings.yAxis, YAxisScale::Logarithmic);
}

TEST_F(SettingsStoreTest, DeadTimeCapFollowsTheCorrectionSwitch) {
    useEdition("TREL MCA");
    writeIni("[Values]\r\nDTCounterMax=9\r\nDisableDeadTimeCorrections=1\r\n");
    loadSettings(w);
    EXPECT_EQ(w.state.deadTimeCreditMax, 9);
    EXPECT_FALSE(w.state.deadTimeCorrection);
    EXPECT_EQ(w.state.eventCreditCap, 1);
}

TEST_F(SettingsStoreTest, ACapBelowOneIsRefusedWithItsMessage) {
    useEdition("TREL MCA");
    writeIni("[Values]\r\nDTCounterMax=0\r\n");
    loadSettings(w);
    EXPECT_EQ(w.state.eventCreditCap, 15);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"Exception at location A"});
}

TEST_F(SettingsStoreTest, EffMultUnreadableKeepsItsValueAndOutOfRangeIsReported) {
    useEdition("TREL MCA");
    w.settings.effMult = 12;
    writeIni("[Values]\r\nEffMult=lots\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.effMult, 12);
    EXPECT_TRUE(t.op.messages().empty());

    writeIni("[Values]\r\nEffMult=-4\r\n");
    loadSettings(w);
    EXPECT_EQ(w.settings.effMult, 12);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"The error is in setting the value of SpinEdit1!"});
}

TEST_F(SettingsStoreTest, UnreadableFileReportsAndUsesDefaults) {
    useEdition("TREL MCA");
    std::filesystem::create_directories(t.app() / "mca.ini");   // a folder where the file should be
    loadSettings(w);
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"Exception at location aA"});
    EXPECT_EQ(w.settings.refresh, RefreshChoice::OneSecond);
}

TEST_F(SettingsStoreTest, NetworkTimeReplacesAndArmsTheRealTimePreset) {
    useEdition("VORA-II MCA");
    writeIni("[Values]\r\nPreSetRealTime=300\r\nPreSetRealTimeChecked=0\r\n");
    w.commandLine.networkAcquisition = NetworkAcquisition::Continuous;
    w.commandLine.networkSeconds = 900;
    loadSettings(w);
    EXPECT_EQ(w.state.presetRealTime, 900);
    EXPECT_TRUE(w.state.presetRealTimeOn);
}

TEST_F(SettingsStoreTest, FieldStationKeysOnlyInTheFieldStationEdition) {
    writeIni("[Values]\r\nAcqTime=600\r\nMetDBFname=Weather\r\nPreSetRealTimeChecked=0\r\n");
    useEdition("OSKA MCA");
    loadSettings(w);
    EXPECT_EQ(w.settings.acqTime, 3600);
    EXPECT_FALSE(w.state.presetRealTimeOn);
    saveSettings(w);
    EXPECT_EQ(written().readString("Values", "MetDBFname", ""), "Weather");   // kept, not rewritten
    EXPECT_FALSE(written().value("Values", "PeakID1"));

    useEdition("OSKA TALVO");
    loadSettings(w);
    EXPECT_EQ(w.settings.acqTime, 600);
    EXPECT_EQ(w.settings.metDbfName, "Weather");
    EXPECT_TRUE(w.state.presetRealTimeOn);   // always on in the field station
    saveSettings(w);
    EXPECT_EQ(written().readString("Values", "PeakID1", ""), "1");
}

TEST_F(SettingsStoreTest, SaveWritesStateAndSettingsAndLoadReadsThemBack) {
    useEdition("TREL MCA");
    writeIni("[MCSValues]\r\nInterval=5\r\n[Values]\r\nUnknownKey=kept\r\n");
    w.settings.smoothFactor = 36;
    w.settings.refresh = RefreshChoice::HalfSecond;
    w.settings.staticTraceStyle = TraceStyle::Bars;
    w.settings.keVOfCentroid = 12.5;
    w.settings.sampleUnits = "mL";
    w.settings.lastLibrary = "Other.lib";
    w.settings.chartLabelColor = 255;
    w.state.presetRealTime = 3600;
    w.state.presetRealTimeOn = true;
    w.state.deadTimeCorrection = false;
    w.session(1).hvFullScale = 3000;
    saveSettings(w);

    const IniFile ini = written();
    EXPECT_EQ(ini.readString("MCSValues", "Interval", ""), "5");
    EXPECT_EQ(ini.readString("Values", "UnknownKey", ""), "kept");
    EXPECT_EQ(ini.readString("Values", "MainSpectrumColor", ""), "16777215");
    EXPECT_EQ(ini.readString("Values", "YAxisLabelColor", ""), "255");
    EXPECT_EQ(ini.readString("Values", "400to600MHz", ""), "1");
    EXPECT_EQ(ini.readString("Values", "250to400MHz", ""), "0");
    EXPECT_EQ(ini.readString("Values", "keVofCentroid", ""), "12.5");
    EXPECT_FALSE(ini.value("Values", "DTCounterMax"));        // never written
    EXPECT_FALSE(ini.value("Values", "SpecifyCOMPort"));      // written only when toggled
    EXPECT_FALSE(ini.value("Values", "LastScript"));          // written only when a script runs
    EXPECT_EQ(ini.readString("Values", "UsekeV", ""), "1");   // written for the spectrum reader

    TestWorkstation fresh;
    std::filesystem::copy_file(t.app() / "mca.ini", fresh.app() / "mca.ini");
    fresh->state.edition = *editionFromTitle("TREL MCA");
    loadSettings(*fresh);
    EXPECT_EQ(fresh->settings.smoothFactor, 36);
    EXPECT_EQ(fresh->settings.refresh, RefreshChoice::HalfSecond);
    EXPECT_EQ(fresh->settings.staticTraceStyle, TraceStyle::Bars);
    EXPECT_DOUBLE_EQ(fresh->settings.keVOfCentroid, 12.5);
    EXPECT_EQ(fresh->settings.sampleUnits, "mL");
    EXPECT_EQ(fresh->settings.lastLibrary, "Other.lib");
    EXPECT_EQ(fresh->state.presetRealTime, 3600);
    EXPECT_TRUE(fresh->state.presetRealTimeOn);
    EXPECT_EQ(fresh->state.eventCreditCap, 1);
    EXPECT_EQ(fresh->session(1).hvFullScale, 3000);
}

TEST_F(SettingsStoreTest, WriteSettingIsImmediateAndReadSettingReadsTheFile) {
    useEdition("TREL MCA");
    writeSetting(w, "LastExplicitPortNum", "COM5");
    EXPECT_EQ(readSetting(w, "lastexplicitportnum", "COM3"), "COM5");
    EXPECT_EQ(readSetting(w, "LastExplicitPortNum2", "COM3"), "COM3");
    writeSetting(w, "SpecifyCOMPort", "1");
    loadSettings(w);
    EXPECT_TRUE(w.settings.specifyComPort);
}

}  // namespace
}  // namespace mca
