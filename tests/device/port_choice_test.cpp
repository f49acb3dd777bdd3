// The COM-port dialog, the port-information texts and the hardware panel's choice between the two
// instruments.
#include "device/discovery_panel_choice.h"
#include "device/acquisition_engine.h"
#include "device/hardware_control.h"
#include "device/hv_ramp.h"
#include "calibration/detector_databases.h"
#include "device/port_choice.h"
#include "device/port_choice_info.h"

#include "core/settings_store.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// The scripted operator, keeping what the text entry offered beforehand.
class PreselectingOperator : public testing::ScriptedOperator {
public:
    std::optional<std::string> inputText(const std::string& title, const std::string& prompt,
                                         const std::string& initial) override {
        offered = initial;
        lastPrompt = prompt;
        return ScriptedOperator::inputText(title, prompt, initial);
    }
    std::string offered;
    std::string lastPrompt;
};

class PortChoiceTest : public ::testing::Test {
protected:
    testing::TestWorkstation t;
    PreselectingOperator op;
    Workstation w{Platform{t.clock, t.clock, t.clock, op, t.desktop, t.ports}, "VORA-II MCA", t.app()};
};

struct PreselectCase {
    const char* name;
    PortPurpose purpose;
    int hardwareTarget;
    const char* key;
    const char* stored;    // "" when the key is not in the file
    const char* offered;
};

class PortChoicePreselect : public PortChoiceTest, public ::testing::WithParamInterface<PreselectCase> {};

TEST_P(PortChoicePreselect, OffersTheLastChoiceAndStoresTheNewOne) {
    const PreselectCase& c = GetParam();
    w.state.hardwareTarget = c.hardwareTarget;
    if (*c.stored) writeSetting(w, c.key, c.stored);
    op.textInputs = {std::string("COM12")};
    EXPECT_EQ(choosePort(w, c.purpose), 12);
    EXPECT_EQ(op.offered, c.offered);
    EXPECT_EQ(readSetting(w, c.key, ""), "COM12");
}

INSTANTIATE_TEST_SUITE_P(
    PortChoice, PortChoicePreselect,
    ::testing::Values(
        PreselectCase{"MetStationDefault", PortPurpose::MetStation, 1, "LastMetStationPortNum", "", "COM1"},
        PreselectCase{"MetStationStored", PortPurpose::MetStation, 2, "LastMetStationPortNum", "COM6", "COM6"},
        PreselectCase{"FirstDefault", PortPurpose::Instrument, 1, "LastExplicitPortNum", "", "COM3"},
        PreselectCase{"FirstStored", PortPurpose::Instrument, 1, "LastExplicitPortNum", "COM5", "COM5"},
        PreselectCase{"SecondDefault", PortPurpose::Instrument, 2, "LastExplicitPortNum2", "", "COM3"},
        PreselectCase{"SecondStored", PortPurpose::Instrument, 2, "LastExplicitPortNum2", "COM8", "COM8"},
        PreselectCase{"ScreenDecidesIsNotTheFirst", PortPurpose::Instrument, kScreenDecides,
                      "LastExplicitPortNum2", "COM8", "COM8"}),
    caseName<PreselectCase>);

TEST_F(PortChoiceTest, TheMetStationChoiceIsKeptForTheCloseToo) {
    op.textInputs = {std::string(" com7 ")};
    EXPECT_EQ(choosePort(w, PortPurpose::MetStation), 7);
    EXPECT_EQ(w.settings.lastMetStationPort, "COM7");
    EXPECT_EQ(readSetting(w, "LastMetStationPortNum", ""), "COM7");
}

TEST_F(PortChoiceTest, ListsThePortsPresent) {
    t.ports.add(3);
    t.ports.add(12);
    op.textInputs = {std::nullopt};
    choosePort(w, PortPurpose::Instrument);
    EXPECT_NE(op.lastPrompt.find("COM3  /dev/test3\n"), std::string::npos) << op.lastPrompt;
    EXPECT_NE(op.lastPrompt.find("COM12  /dev/test12\n"), std::string::npos) << op.lastPrompt;
    EXPECT_EQ(op.transcript()[0].title, "Select COM Port");
}

TEST_F(PortChoiceTest, CancelChoosesNothingAndStoresNothing) {
    writeSetting(w, "LastExplicitPortNum", "COM5");
    op.textInputs = {std::nullopt};
    EXPECT_EQ(choosePort(w, PortPurpose::Instrument), std::nullopt);
    EXPECT_EQ(readSetting(w, "LastExplicitPortNum", ""), "COM5");
    EXPECT_TRUE(op.messages().empty());
}

TEST_F(PortChoiceTest, ANameThatIsNoPortIsReportedAndChoosesNothing) {
    op.textInputs = {std::string("ttyUSB0")};
    EXPECT_EQ(choosePort(w, PortPurpose::Instrument), std::nullopt);
    EXPECT_EQ(op.messages(), std::vector<std::string>{"\"ttyUSB0\" is not the name of a COM port, such as COM3."});
    EXPECT_EQ(readSetting(w, "LastExplicitPortNum", "none"), "none");
}

struct NameCase {
    const char* name;
    const char* text;
    std::optional<int> number;
};

class PortChoiceName : public ::testing::TestWithParam<NameCase> {};

TEST_P(PortChoiceName, TakesTheNumberAfterTheFirstThreeCharacters) {
    EXPECT_EQ(comNumberOfName(GetParam().text), GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(PortChoice, PortChoiceName,
                         ::testing::Values(NameCase{"Com12", "COM12", 12}, NameCase{"Com1", "COM1", 1},
                                           NameCase{"Com399", "COM399", 399}, NameCase{"LowerCase", "com4", 4},
                                           NameCase{"NoNumber", "COM", std::nullopt},
                                           NameCase{"Zero", "COM0", std::nullopt},
                                           NameCase{"Letters", "COMx", std::nullopt},
                                           NameCase{"Negative", "COM-2", std::nullopt},
                                           NameCase{"TooLong", "COM12345678901", std::nullopt},
                                           NameCase{"Empty", "", std::nullopt}),
                         caseName<NameCase>);

struct InfoCase {
    const char* name;
    const char* title;
    PortInfoSubject subject;
    bool offline;
    bool open;
    const char* text;
};

class PortChoiceInfo : public PortChoiceTest, public ::testing::WithParamInterface<InfoCase> {};

TEST_P(PortChoiceInfo, SaysWhichPortTheInstrumentUses) {
    const InfoCase& c = GetParam();
    w.state.edition = *editionFromTitle(c.title);
    w.state.offline = c.offline;
    const int n = c.subject == PortInfoSubject::First ? 1 : 2;
    w.session(n).open = c.open;
    w.session(n).serialNumber = "212345";
    w.session(n).comNumber = 4;
    showPortInfo(w, c.subject);
    EXPECT_EQ(op.messages(), std::vector<std::string>{c.text});
}

INSTANTIATE_TEST_SUITE_P(
    PortChoice, PortChoiceInfo,
    ::testing::Values(
        InfoCase{"FirstOffline", "VORA-II MCA", PortInfoSubject::First, true, false, "VORA-II is currently Offline"},
        InfoCase{"FirstOnline", "VORA-II MCA", PortInfoSubject::First, false, true,
                 "VORA-II #212345 is currently using COM 4"},
        InfoCase{"SecondNotOpen", "VORA-II MCA", PortInfoSubject::Second, false, false,
                 "2nd VORA-II is currently Offline"},
        InfoCase{"SecondOpen", "VORA-II MCA", PortInfoSubject::Second, false, true,
                 "2nd VORA-II #212345 is currently using COM 4"},
        InfoCase{"TrelOffline", "TREL MCA", PortInfoSubject::First, true, false, "Model 415 is currently Offline"},
        InfoCase{"OskaSecondOpen", "OSKA MCA", PortInfoSubject::Second, false, true,
                 "2nd OSKA #212345 is currently using COM 4"}),
    caseName<InfoCase>);

class PortChoicePanel : public PortChoiceTest {
protected:
    PortChoicePanel() {
        InstrumentSession& second = w.session(2);
        second.settings.highVoltage = 910;
        second.settings.notToExceedVoltage = 1100;
        second.settings.coarseGainIndex = 4;
        second.settings.fineGain = 200;
        second.settings.shapingIndex = 6;
        second.settings.threshold = 35;
        second.settings.inputIndex = 2;
        second.hvFullScale = 1500;
    }
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    HvRamp ramp{t.clock, t.clock};
    HardwareControl control{w, engine, databases, ramp};
    HardwarePanelAccess access;
};

TEST_F(PortChoicePanel, ChoosingAnInstrumentLoadsItsSettingsWithTheSetButtonsOff) {
    control.panel().editThreshold(40);
    chooseHardwarePanelInstrument(w, control, 2);
    const HardwarePanel& panel = control.panel();
    EXPECT_EQ(panel.instrument(), 2);
    EXPECT_EQ(w.state.view.hardwarePanelInstrument, 2);
    EXPECT_EQ(panel.values().highVoltage, 910);
    EXPECT_EQ(panel.values().coarseGainIndex, 4);
    EXPECT_EQ(panel.values().fineGain, 200);
    EXPECT_EQ(panel.values().threshold, 35);
    EXPECT_EQ(panel.hvLimit(), 1100);   // the NTE voltage, below the HV unit of 1500
    EXPECT_FALSE(panel.firstPending());
    EXPECT_THROW(chooseHardwarePanelInstrument(w, control, 3), std::out_of_range);
}

TEST_F(PortChoicePanel, CombinedSwitchesEditingOffAndAViewOfOneInstrumentChoosesIt) {
    chooseHardwarePanelInstrument(w, control, 1);
    selectTwoInstrumentView(w, control, access, TwoInstrumentView::Combined);
    EXPECT_EQ(w.state.view.twoInstrumentView, TwoInstrumentView::Combined);
    EXPECT_FALSE(access.controlsEnabled());

    selectTwoInstrumentView(w, control, access, TwoInstrumentView::Mca2);
    EXPECT_TRUE(access.controlsEnabled());
    EXPECT_EQ(control.panel().instrument(), 2);
    EXPECT_EQ(control.panel().values().highVoltage, 910);
}

TEST_F(PortChoicePanel, AllowEditSwitchesEveryControlTogether) {
    access.editAllowed = false;
    selectTwoInstrumentView(w, control, access, TwoInstrumentView::Mca1);
    EXPECT_FALSE(access.controlsEnabled());
    access.editAllowed = true;
    EXPECT_TRUE(access.controlsEnabled());
}

}  // namespace
}  // namespace mca
