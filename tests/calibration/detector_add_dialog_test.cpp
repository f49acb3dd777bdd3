// Add New Detector: the base list and its defaults, the gain read-outs, the checks on "&Add" with
// their messages, the record added, and the forbidden characters of the identity texts.
#include "calibration/detector_add_dialog.h"

#include "calibration/detector_text_filter.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

class DetectorAddDialogTest : public ::testing::Test {
protected:
    DetectorDatabase& db() { return dbs.database(1); }

    // Adds a detector through the dialog, from the Generic entries with the given identity.
    void addDetector(const std::string& name, const std::string& serial, int channelsCode = 0) {
        DetectorAddDialog dialog(w, dbs, 1);
        DetectorEntries& e = dialog.editEntries();
        e = genericDetectorEntries();
        e.name = name;
        e.serial = serial;
        e.channelsCode = channelsCode;
        ASSERT_EQ(dialog.add(), AddDetectorOutcome::Added);
    }

    TestWorkstation t;
    Workstation& w = *t;
    DetectorDatabases dbs;
};

TEST_F(DetectorAddDialogTest, EmptyDatabaseOffersGenericWithItsDefaults) {
    const DetectorAddDialog dialog(w, dbs, 1);
    EXPECT_EQ(dialog.baseList(), Strings{"Generic"});
    const DetectorEntries& e = dialog.entries();
    EXPECT_EQ(e.name, "Generic");
    EXPECT_EQ(e.serial, "xxxx");
    EXPECT_EQ(e.description, "Generic");
    EXPECT_EQ(e.cableLength, "36");
    EXPECT_EQ(e.units, "in.");
    EXPECT_EQ(e.inputCode, 0);
    EXPECT_EQ(e.highVoltage, "600");
    EXPECT_EQ(e.notToExceed, "1000");
    EXPECT_EQ(e.coarseGainCode, 0);
    EXPECT_EQ(e.fineGainPosition, 128);
    EXPECT_EQ(e.shapingTimeCode, 2);
    EXPECT_EQ(e.threshold, "50");
    EXPECT_FALSE(e.rampHighVoltage);
    EXPECT_EQ(e.rampValue, 6);
    EXPECT_FALSE(e.zeroHighVoltage);
    EXPECT_EQ(e.channelsCode, 0);
}

TEST_F(DetectorAddDialogTest, BaseDetectorCopiesIdentitySettingsAndRampFields) {
    addDetector("Alder", "A1");
    DetectorRecord& r = db().record(0);
    r[field::kInput] = "3";
    r[field::kCoarseGain] = "4";
    r[field::kFineGain] = "200";
    r[field::kShapingTime] = "7";
    r[field::kRampHv] = "1";
    r[field::kRampValue] = "300";   // beyond the spin range
    r[field::kZeroHv] = "1";
    r[field::kChannelsCode] = "x";  // damaged
    r[field::kFirstEnergy] = "661.7";
    addDetector("Birch", "B1");

    DetectorAddDialog dialog(w, dbs, 1);
    EXPECT_EQ(dialog.baseList(), (Strings{"Alder #A1, Generic, 36 in. cable, 4096 channel",
                                          "Birch #B1, Generic, 36 in. cable, 4096 channel"}));
    EXPECT_EQ(dialog.entries().name, "Alder");
    dialog.chooseBase(1);
    EXPECT_EQ(dialog.entries().name, "Birch");
    dialog.chooseBase(5);
    EXPECT_EQ(dialog.baseIndex(), 1);
    dialog.chooseBase(0);
    const DetectorEntries& e = dialog.entries();
    EXPECT_EQ(e.inputCode, 3);
    EXPECT_EQ(e.coarseGainCode, 4);
    EXPECT_EQ(e.fineGainPosition, 200);
    EXPECT_EQ(e.shapingTimeCode, 7);
    EXPECT_TRUE(e.rampHighVoltage);
    EXPECT_EQ(e.rampValue, 219);
    EXPECT_TRUE(e.zeroHighVoltage);
    EXPECT_EQ(e.channelsCode, 0);
}

TEST_F(DetectorAddDialogTest, GainReadoutsAndArrows) {
    DetectorAddDialog dialog(w, dbs, 1);
    EXPECT_EQ(dialog.fineGainText(), "Fine Gain = 0.504");
    EXPECT_EQ(dialog.overallGainText(), "1.008");
    dialog.editEntries().coarseGainCode = 5;
    dialog.editEntries().fineGainPosition = 255;
    EXPECT_EQ(dialog.fineGainText(), "Fine Gain = 1.000");
    EXPECT_EQ(dialog.overallGainText(), "250.000");
    dialog.fineGainUp();
    EXPECT_EQ(dialog.entries().fineGainPosition, 255);
    dialog.fineGainDown();
    EXPECT_EQ(dialog.entries().fineGainPosition, 254);
    dialog.editEntries().fineGainPosition = 0;
    dialog.fineGainDown();
    EXPECT_EQ(dialog.entries().fineGainPosition, 0);
    EXPECT_EQ(dialog.fineGainText(), "Fine Gain = 0.004");
}

TEST_F(DetectorAddDialogTest, AddedRecordHoldsTheEntriesAndDefaults) {
    DetectorAddDialog dialog(w, dbs, 1);
    DetectorEntries& e = dialog.editEntries();
    e.inputCode = 4;
    e.coarseGainCode = 3;
    e.fineGainPosition = 99;
    e.shapingTimeCode = 5;
    e.threshold = "75";
    e.rampHighVoltage = true;
    e.rampValue = 12;
    e.channelsCode = 2;
    ASSERT_EQ(dialog.add(), AddDetectorOutcome::Added);
    EXPECT_EQ(dialog.entries(), DetectorEntries{});
    EXPECT_TRUE(t.op.messages().empty());

    ASSERT_EQ(db().size(), 1);
    const DetectorRecord& r = db().record(0);
    const Strings expected{"Generic", "xxxx", "Generic", "36", "in.", "4", "600", "1000", "3", "99", "5", "75", "2"};
    for (int f = 0; f <= field::kChannelsCode; ++f) EXPECT_EQ(r[f], expected[static_cast<std::size_t>(f)]) << f;
    for (int f = field::kFirstEnergy; f <= field::kRoiSet; ++f) EXPECT_EQ(r[f], "") << f;
    EXPECT_EQ(r[field::kSelectedIndex], "0");
    EXPECT_EQ(r[field::kSqrtToFwhm], "1");
    EXPECT_EQ(r[field::kFwhmToPeak], "2.35");
    EXPECT_EQ(r[field::kRampHv], "1");
    EXPECT_EQ(r[field::kRampValue], "12");
    EXPECT_EQ(r[field::kZeroHv], "0");
    EXPECT_EQ(r[field::kCalibrationOrder], "");
}

TEST_F(DetectorAddDialogTest, SameIdentityIsRefusedUnlessTheChannelCountDiffers) {
    addDetector("Birch", "B1", 0);
    DetectorAddDialog dialog(w, dbs, 1);
    EXPECT_EQ(dialog.add(), AddDetectorOutcome::Refused);
    EXPECT_EQ(t.op.messages(), Strings{"Detector information must be unique."});
    EXPECT_EQ(db().size(), 1);
    EXPECT_EQ(dialog.entries().name, "Birch");   // entries kept for correcting

    dialog.editEntries().channelsCode = 1;
    EXPECT_EQ(dialog.add(), AddDetectorOutcome::Added);
    EXPECT_EQ(db().size(), 2);
}

TEST_F(DetectorAddDialogTest, RefusalsShowTheirMessageAndAddNothing) {
    const std::string missing = "Unable to add this detector! Check that all fields have been filled in.";
    const std::string voltage = "Operating voltage must be less than \"not to exceed\" voltage";
    struct Case {
        const char* name;
        void (*edit)(DetectorEntries&);
        std::string message;
    };
    const Case cases[] = {
        {"no name", [](DetectorEntries& e) { e.name.clear(); }, missing},
        {"no serial", [](DetectorEntries& e) { e.serial.clear(); }, missing},
        {"no description", [](DetectorEntries& e) { e.description.clear(); }, missing},
        {"no cable length", [](DetectorEntries& e) { e.cableLength.clear(); }, missing},
        {"no units", [](DetectorEntries& e) { e.units.clear(); }, missing},
        {"no high voltage", [](DetectorEntries& e) { e.highVoltage.clear(); }, missing},
        {"no not-to-exceed", [](DetectorEntries& e) { e.notToExceed.clear(); }, missing},
        {"no threshold", [](DetectorEntries& e) { e.threshold.clear(); }, missing},
        {"high voltage not a number", [](DetectorEntries& e) { e.highVoltage = "high"; }, missing},
        {"not-to-exceed not a number", [](DetectorEntries& e) { e.notToExceed = "1 kV"; }, missing},
        {"cable length not a number", [](DetectorEntries& e) { e.cableLength = "3/4"; }, missing},
        {"threshold not a whole number", [](DetectorEntries& e) { e.threshold = "5.5"; }, missing},
        {"name only forbidden characters", [](DetectorEntries& e) { e.name = "<>"; }, missing},
        {"not-to-exceed equal", [](DetectorEntries& e) { e.notToExceed = "600"; }, voltage},
        {"not-to-exceed equal as numbers", [](DetectorEntries& e) { e.notToExceed = "600.0"; }, voltage},
        {"not-to-exceed below", [](DetectorEntries& e) { e.notToExceed = "599.9"; }, voltage},
        {"compared as numbers, not texts",
         [](DetectorEntries& e) {
             e.highVoltage = "1000";
             e.notToExceed = "900";
         },
         voltage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestWorkstation fresh;
        DetectorDatabases empty;
        DetectorAddDialog dialog(*fresh, empty, 1);
        c.edit(dialog.editEntries());
        EXPECT_EQ(dialog.add(), AddDetectorOutcome::Refused);
        EXPECT_EQ(fresh.op.messages(), Strings{c.message});
        EXPECT_FALSE(empty.database(1).hasDetector());
    }
}

TEST_F(DetectorAddDialogTest, VoltagesCompareAsNumbers) {
    DetectorAddDialog dialog(w, dbs, 1);
    dialog.editEntries().highVoltage = "950";
    dialog.editEntries().notToExceed = "1000";   // a text comparison would put "1000" first
    EXPECT_EQ(dialog.add(), AddDetectorOutcome::Added);
}

TEST_F(DetectorAddDialogTest, AddingANameBeforeTheSelectedKeepsTheSelection) {
    addDetector("Birch", "B1");
    addDetector("Cedar", "C1");
    dbs.database(1).setSelectedIndex(1);
    addDetector("Alder", "A1");
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kName], "Cedar");
    EXPECT_EQ(db().selectedIndex(), 2);
    EXPECT_EQ(w.session(1).detectorRow, 2);
    for (const DetectorRecord& r : db().records()) EXPECT_EQ(r[field::kSelectedIndex], "2");
}

TEST_F(DetectorAddDialogTest, IdentityTextsDropForbiddenCharactersWithABeep) {
    DetectorAddDialog dialog(w, dbs, 1);
    dialog.setName("Bi:rch");
    dialog.setSerial("B1");
    dialog.setDescription("2\"x2\"");
    EXPECT_EQ(dialog.entries().name, "Birch");
    EXPECT_EQ(dialog.entries().serial, "B1");
    EXPECT_EQ(dialog.entries().description, "2x2");
    EXPECT_EQ(t.op.beeps(), 2);

    // Text that reached the entries without the filter is cleaned on "&Add".
    dialog.editEntries().serial = "B/1";
    EXPECT_EQ(dialog.add(), AddDetectorOutcome::Added);
    EXPECT_EQ(t.op.beeps(), 3);
    EXPECT_EQ(db().record(0)[field::kSerial], "B1");
}

TEST(DetectorTextFilter, DropsEachForbiddenCharacterAndKeepsTheRest) {
    testing::ScriptedOperator op;
    EXPECT_EQ(dropForbiddenDetectorCharacters("a\"b#c*d/e:f<g>h?i\\j|k", op), "abcdefghijk");
    EXPECT_EQ(op.beeps(), 1);
    EXPECT_EQ(dropForbiddenDetectorCharacters("NaI 3\u00D73 \u00B5-cable, 'x' (y) [z] 50%", op),
              "NaI 3\u00D73 \u00B5-cable, 'x' (y) [z] 50%");
    EXPECT_EQ(op.beeps(), 1);
    EXPECT_EQ(dropForbiddenDetectorCharacters("", op), "");
}

}  // namespace
}  // namespace mca
