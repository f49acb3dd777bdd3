// Delete Detector: preselection, the question, the refusal of the active detector, and the
// selection that stays on its detector.
#include "calibration/detector_remove_dialog.h"

#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

const std::string kQuestion =
    "Are you sure you want to completely remove this detector? This action cannot be undone.";

class DetectorRemoveDialogTest : public ::testing::Test {
protected:
    DetectorRemoveDialogTest() {
        for (const char* name : {"A", "B", "C"}) {
            DetectorRecord r;
            r[field::kName] = name;
            r[field::kSerial] = "1";
            dbs.database(1).add(r);
        }
        selectDetectorRecord(w, dbs, 1, 1);
    }

    Strings names() const {
        Strings out;
        for (const DetectorRecord& r : dbs.database(1).records()) out.push_back(r[field::kName]);
        return out;
    }

    TestWorkstation t;
    Workstation& w = *t;
    DetectorDatabases dbs;
};

TEST_F(DetectorRemoveDialogTest, OpensOnTheSelectedDetector) {
    const DetectorRemoveDialog dialog(w, dbs, 1);
    EXPECT_EQ(dialog.list().size(), 3u);
    EXPECT_EQ(dialog.chosenIndex(), 1);
    ASSERT_NE(dialog.chosenRecord(), nullptr);
    EXPECT_EQ((*dialog.chosenRecord())[field::kName], "B");
}

TEST_F(DetectorRemoveDialogTest, RemovingARecordAboveTheSelectedKeepsTheSelection) {
    DetectorRemoveDialog dialog(w, dbs, 1);
    dialog.choose(0);
    t.op.answers = {Answer::Yes};
    EXPECT_EQ(dialog.deleteDetector(), RemoveDetectorOutcome::Deleted);
    EXPECT_EQ(t.op.questions(), Strings{kQuestion});
    EXPECT_EQ(t.op.messages(), Strings{"Detector deleted."});
    EXPECT_EQ(names(), (Strings{"B", "C"}));
    EXPECT_EQ(SelectedRecord(dbs, 1)[field::kName], "B");
    EXPECT_EQ(w.session(1).detectorRow, 0);
    for (const DetectorRecord& r : dbs.database(1).records()) EXPECT_EQ(r[field::kSelectedIndex], "0");
    EXPECT_EQ(dialog.list().size(), 2u);
    EXPECT_EQ(dialog.chosenIndex(), 0);
}

TEST_F(DetectorRemoveDialogTest, NoKeepsTheDetector) {
    DetectorRemoveDialog dialog(w, dbs, 1);
    dialog.choose(2);
    t.op.answers = {Answer::No};
    EXPECT_EQ(dialog.deleteDetector(), RemoveDetectorOutcome::Kept);
    EXPECT_EQ(names(), (Strings{"A", "B", "C"}));
    EXPECT_TRUE(t.op.messages().empty());
}

TEST_F(DetectorRemoveDialogTest, ActiveDetectorIsRefusedAfterTheQuestion) {
    DetectorRemoveDialog dialog(w, dbs, 1);
    t.op.answers = {Answer::Yes};
    EXPECT_EQ(dialog.deleteDetector(), RemoveDetectorOutcome::ActiveRefused);
    EXPECT_EQ(t.op.questions(), Strings{kQuestion});
    EXPECT_EQ(t.op.messages(), Strings{"Cannot delete active detector!"});
    EXPECT_EQ(names(), (Strings{"A", "B", "C"}));
}

TEST_F(DetectorRemoveDialogTest, EmptyDatabaseOffersNothingToRemove) {
    DetectorDatabases empty;
    DetectorRemoveDialog dialog(w, empty, 2);
    EXPECT_TRUE(dialog.list().empty());
    EXPECT_EQ(dialog.chosenIndex(), -1);
    EXPECT_EQ(dialog.chosenRecord(), nullptr);
    dialog.choose(0);
    EXPECT_EQ(dialog.deleteDetector(), RemoveDetectorOutcome::Kept);
    EXPECT_TRUE(t.op.questions().empty());
}

}  // namespace
}  // namespace mca
