// The hardware panel's edit rules, limits and gain texts; nothing here is sent.
#include "device/hardware_panel.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace mca {
namespace {

HardwareSettings loaded() {
    HardwareSettings s;
    s.inputIndex = 1;
    s.highVoltage = 800;
    s.coarseGainIndex = 1;
    s.fineGain = 127;
    s.shapingIndex = 2;
    s.threshold = 20;
    return s;
}

std::set<SetButton> pendingOf(const HardwarePanel& p) {
    std::set<SetButton> out;
    for (SetButton b : kPendingOrder) {
        if (p.pending(b)) out.insert(b);
    }
    return out;
}

TEST(HardwarePanel, EditsEnableTheirSetButtonsAndDragOthersAlong) {
    struct Case {
        const char* name;
        int startShaping;
        std::function<void(HardwarePanel&)> edit;
        std::set<SetButton> pending;
        int shaping;
    };
    using B = SetButton;
    const Case cases[] = {
        {"shaped input forces Shaped", 2, [](HardwarePanel& p) { p.chooseInput(kShapedInput); },
         {B::Input, B::ShapingTime}, kShapedShaping},
        {"leaving the shaped input gives 2.0 µS", kShapedShaping, [](HardwarePanel& p) { p.chooseInput(0); },
         {B::Input, B::ShapingTime}, kShapingAfterShaped},
        {"another input keeps a real shaping time", 5, [](HardwarePanel& p) { p.chooseInput(3); }, {B::Input}, 5},
        {"coarse gain brings the fine gain", 2, [](HardwarePanel& p) { p.chooseCoarseGain(2); },
         {B::CoarseGain, B::FineGain}, 2},
        {"fine gain alone", 2, [](HardwarePanel& p) { p.stepFineGain(1); }, {B::FineGain}, 2},
        {"threshold", 2, [](HardwarePanel& p) { p.editThreshold(150); }, {B::Threshold}, 2},
        {"high voltage", 2, [](HardwarePanel& p) { p.stepHighVoltage(-1); }, {B::HighVoltage}, 2},
        {"shaping time", 2, [](HardwarePanel& p) { p.chooseShapingTime(6); }, {B::ShapingTime}, 6},
    };
    for (const Case& c : cases) {
        HardwarePanel panel;
        HardwareSettings s = loaded();
        s.shapingIndex = c.startShaping;
        panel.load(1, s, 1500);
        EXPECT_TRUE(pendingOf(panel).empty()) << c.name;
        c.edit(panel);
        EXPECT_EQ(pendingOf(panel), c.pending) << c.name;
        EXPECT_EQ(panel.values().shapingIndex, c.shaping) << c.name;
    }
}

TEST(HardwarePanel, PendingEditsComeInTheFixedOrder) {
    HardwarePanel panel;
    panel.load(1, loaded(), 1500);
    panel.chooseShapingTime(4);
    panel.editFineGain(100);
    panel.editHighVoltage(900);
    EXPECT_EQ(panel.firstPending(), SetButton::HighVoltage);
    panel.setPending(SetButton::HighVoltage, false);
    EXPECT_EQ(panel.firstPending(), SetButton::FineGain);
    panel.setPending(SetButton::FineGain, false);
    EXPECT_EQ(panel.firstPending(), SetButton::ShapingTime);
    panel.setPending(SetButton::ShapingTime, false);
    EXPECT_EQ(panel.firstPending(), std::nullopt);
}

TEST(HardwarePanel, FieldsHoldTheirRanges) {
    HardwarePanel panel;
    panel.load(1, loaded(), 1000);
    panel.editHighVoltage(812.54);
    EXPECT_EQ(panel.values().highVoltage, 812.5);
    EXPECT_EQ(panel.highVoltageText(), "812.5");
    panel.editHighVoltage(-20);
    EXPECT_EQ(panel.values().highVoltage, 0.0);
    panel.stepHighVoltage(-1);
    EXPECT_EQ(panel.values().highVoltage, 0.0);
    panel.editHighVoltage(999.5);
    panel.stepHighVoltage(1);
    EXPECT_EQ(panel.values().highVoltage, 1000.0);   // the spin buttons stop at the limit

    panel.editThreshold(3000);
    EXPECT_EQ(panel.values().threshold, kMaxThresholdSetting);
    panel.editThreshold(0);
    panel.stepThreshold(-1);
    EXPECT_EQ(panel.values().threshold, 0);
    panel.editFineGain(255);
    panel.stepFineGain(1);
    EXPECT_EQ(panel.values().fineGain, kMaxFineGain);
    panel.editFineGain(0);
    panel.stepFineGain(-1);
    EXPECT_EQ(panel.values().fineGain, 0);
}

TEST(HardwarePanel, OnlyANonZeroTypedVoltageBecomesTheRestoreVoltage) {
    HardwarePanel panel;
    panel.load(1, loaded(), 1500);
    EXPECT_EQ(panel.typedRestoreVoltage(), std::nullopt);
    panel.editHighVoltage(950);
    panel.editHighVoltage(0);
    EXPECT_EQ(panel.typedRestoreVoltage(), 950.0);
    panel.load(1, loaded(), 1500);
    EXPECT_EQ(panel.typedRestoreVoltage(), std::nullopt);
}

TEST(HardwarePanel, GainTextsHaveThreeDecimals) {
    struct Case {
        int coarse;
        int fine;
        const char* fineText;
        const char* overallText;
    };
    const Case cases[] = {
        {0, 127, "Fine Gain = 0.500", "Overall Gain = 1.000"},
        {2, 127, "Fine Gain = 0.500", "Overall Gain = 7.500"},
        {5, 255, "Fine Gain = 1.000", "Overall Gain = 250.000"},
        {1, 0, "Fine Gain = 0.004", "Overall Gain = 0.016"},
        {0, 191, "Fine Gain = 0.750", "Overall Gain = 1.500"},
    };
    for (const Case& c : cases) {
        HardwarePanel panel;
        HardwareSettings s = loaded();
        s.coarseGainIndex = c.coarse;
        s.fineGain = c.fine;
        panel.load(1, s, 1500);
        EXPECT_EQ(panel.fineGainText(), c.fineText);
        EXPECT_EQ(panel.overallGainText(), c.overallText);
    }
}

TEST(HighVoltageLimit, IsTheNotToExceedVoltageWithinTheHvUnit) {
    struct Case {
        const char* name;
        double nte;
        int unit;
        double limit;
    };
    const Case cases[] = {
        {"NTE below the unit", 1200, 2000, 1200},
        {"no HV unit read yet", 1200, kDefaultHvFullScale, 1200},
        {"NTE above the unit", 3000, 1500, 1500},
        {"no NTE in the record", 0, 2000, 2000},
    };
    for (const Case& c : cases) {
        InstrumentSession s;
        s.settings.notToExceedVoltage = c.nte;
        s.hvFullScale = c.unit;
        EXPECT_EQ(highVoltageLimit(s), c.limit) << c.name;
    }
}

}  // namespace
}  // namespace mca
