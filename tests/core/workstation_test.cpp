// The process state: which instrument a command addresses, the spectrum and the rate history.
#include "core/workstation.h"

#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

struct AddressCase {
    const char* name;
    int hardwareTarget;
    InstrumentChooser chooser;
    bool quad;
    bool secondOpen;
    int panelChoice;
    int expected;
};

class AddressedInstrument : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AddressedInstrument, FollowsTheResolutionOrder) {
    const AddressCase& c = GetParam();
    testing::TestWorkstation t;
    Workstation& w = *t;
    w.state.hardwareTarget = c.hardwareTarget;
    w.state.view.chooser = c.chooser;
    w.state.quadLayout = c.quad;
    w.session(2).open = c.secondOpen;
    w.state.view.hardwarePanelInstrument = c.panelChoice;
    EXPECT_EQ(addressedInstrument(w.state, w.sessions), c.expected);
    EXPECT_EQ(&addressedSession(w), &w.session(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddressedInstrument,
    ::testing::Values(
        AddressCase{"StartUpTargetsOne", 1, InstrumentChooser::Mca3, true, true, 2, 1},
        AddressCase{"ChooserOneBeatsTargetTwo", 2, InstrumentChooser::Mca1, true, true, 2, 1},
        AddressCase{"TargetTwoBeatsChooserThree", 2, InstrumentChooser::Mca3, true, true, 1, 2},
        AddressCase{"ChooserThree", kScreenDecides, InstrumentChooser::Mca3, true, false, 1, 3},
        AddressCase{"TargetFour", 4, InstrumentChooser::All, true, false, 1, 4},
        AddressCase{"ChooserFour", kScreenDecides, InstrumentChooser::Mca4, true, false, 1, 4},
        AddressCase{"PanelChoosesSecond", kScreenDecides, InstrumentChooser::All, false, true, 2, 2},
        AddressCase{"PanelIgnoredWhenSecondClosed", kScreenDecides, InstrumentChooser::All, false, false, 2, 1},
        AddressCase{"PanelIgnoredInFourCharts", kScreenDecides, InstrumentChooser::All, true, true, 2, 1},
        AddressCase{"DefaultIsFirst", kScreenDecides, InstrumentChooser::All, false, true, 1, 1}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Workstation, HoldsFourSessionsAndRefusesOthers) {
    testing::TestWorkstation t;
    EXPECT_NO_THROW(t->session(4));
    EXPECT_THROW(t->session(0), std::out_of_range);
    EXPECT_THROW(t->session(5), std::out_of_range);
    EXPECT_EQ(t->state.channelCount, 4096);
    EXPECT_EQ(t->state.hardwareTarget, 1);
    EXPECT_EQ(t->session(1).hvFullScale, 2000);
}

TEST(Spectrum, ClearZeroesEverythingAndSumsTheUsedChannels) {
    Spectrum s;
    s.counts[0] = 5;
    s.counts[255] = 7;
    s.counts[256] = 100;   // beyond a 256-channel spectrum
    s.tickCounts[3] = 2;
    s.totalCounts = 12;
    EXPECT_DOUBLE_EQ(s.sum(256), 12.0);
    EXPECT_DOUBLE_EQ(s.sum(), 112.0);
    s.clear();
    EXPECT_DOUBLE_EQ(s.sum(), 0.0);
    EXPECT_EQ(s.tickCounts[3], 0);
    EXPECT_EQ(s.totalCounts, 0);
}

TEST(RateHistory, KeepsTheNewestFirstAndShowsTheMeanOfTwenty) {
    RateHistory h;
    for (int i = 1; i <= 100; ++i) h.push(i, i * 60.0);
    EXPECT_DOUBLE_EQ(h.slot(0).secondsSinceStart, 100.0);
    EXPECT_DOUBLE_EQ(h.slot(79).secondsSinceStart, 21.0);
    // mean of 81..100 minutes' worth: 60 * 90.5
    EXPECT_DOUBLE_EQ(h.displayedRate(), 5430.0);
    EXPECT_EQ(h.displayedRateText(), "5430 cpm");
    h.reset();
    EXPECT_EQ(h.displayedRateText(), "0 cpm");
}

TEST(RateHistory, FewTicksAreAveragedOverAllTwentySlots) {
    RateHistory h;
    h.push(1, 250.0);
    h.push(2, 250.0);
    EXPECT_DOUBLE_EQ(h.displayedRate(), 25.0);
    h.push(3, 10.0);   // 510 / 20 = 25.5, shown halves to even
    EXPECT_EQ(h.displayedRateText(), "26 cpm");
}

TEST(AppState, CreditCapFollowsTheCorrectionSwitch) {
    AppState s;
    s.deadTimeCreditMax = 9;
    s.updateEventCreditCap();
    EXPECT_EQ(s.eventCreditCap, 9);
    s.deadTimeCorrection = false;
    s.updateEventCreditCap();
    EXPECT_EQ(s.eventCreditCap, 1);
}

}  // namespace
}  // namespace mca
