// The close sequence: questions, what is saved, and the commands that leave the instruments safe.
#include "core/shutdown.h"

#include "core/ini_file.h"
#include "support/recording_steps.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::RecordingSteps;
using testing::TestWorkstation;
using Strings = std::vector<std::string>;

class ShutdownTest : public ::testing::Test {
protected:
    ShutdownTest() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.state.hardwareTarget = kScreenDecides;
    }

    std::shared_ptr<testing::PortRecord> openInstrument(int n) {
        auto record = t.ports.add(n + 10);
        w.session(n).port = t.ports.open(n + 10, 115200);
        w.session(n).open = true;
        return record;
    }

    bool settingsWritten() const { return std::filesystem::exists(t.app() / "mca.ini"); }

    TestWorkstation t;
    Workstation& w = *t;
    RecordingSteps steps;
};

TEST_F(ShutdownTest, OfflineClosesWithoutAskingButOffersToSaveWork) {
    w.state.offline = true;
    w.state.spectrumUnsaved = true;
    w.state.roiSetUnsaved = true;
    t.op.answers = {Answer::Yes, Answer::No};
    EXPECT_TRUE(closeWorkstation(w, steps));
    EXPECT_EQ(t.op.questions(),
              (Strings{"Current spectrum has not been saved.  Save now?", "ROI set has not been saved.  Save now?"}));
    EXPECT_EQ(steps.calls, (Strings{"saveSpectrumAs", "writeBackWorkingHighVoltage", "saveDetectorTable 1",
                                    "saveDetectorTable 2", "saveDetectorTable 3", "saveDetectorTable 4"}));
    EXPECT_TRUE(settingsWritten());
    EXPECT_TRUE(t.clock.pauses().empty());
}

TEST_F(ShutdownTest, NoAtTheConfirmationCancelsAndSavesNothing) {
    openInstrument(1);
    t.op.answers = {Answer::No};
    EXPECT_FALSE(closeWorkstation(w, steps));
    EXPECT_EQ(t.op.questions(), Strings{"Are you sure you want to close TREL?"});
    EXPECT_TRUE(steps.calls.empty());
    EXPECT_FALSE(settingsWritten());
    EXPECT_TRUE(w.session(1).open);
}

TEST_F(ShutdownTest, OnlineCloseStopsSavesAndLeavesEveryInstrumentSafe) {
    auto first = openInstrument(1);
    auto second = openInstrument(2);
    w.state.acquiring = true;
    t.op.answers = {Answer::Yes};
    EXPECT_TRUE(closeWorkstation(w, steps));
    EXPECT_EQ(steps.calls,
              (Strings{"stopAcquisition", "writeBackWorkingHighVoltage", "saveDetectorTable 1", "saveDetectorTable 2",
                       "saveDetectorTable 3", "saveDetectorTable 4", "setHighVoltage 1 0", "setHighVoltage 2 0",
                       "closeMetStation"}));
    EXPECT_EQ(first->written, "Rdvzw");
    EXPECT_EQ(second->written, "Rdv");
    EXPECT_EQ(t.clock.pauses(), (std::vector<int>{150, 250, 250, 150, 150, 150, 200}));
    EXPECT_TRUE(settingsWritten());
    EXPECT_FALSE(w.session(1).open);
    EXPECT_FALSE(w.session(1).port);
}

TEST_F(ShutdownTest, NetworkModeNeverAsksAndLeavesTheAlarmOutputsAlone) {
    auto first = openInstrument(1);
    w.state.networkMode = true;
    w.state.spectrumUnsaved = true;
    w.state.acquiring = true;
    EXPECT_TRUE(closeWorkstation(w, steps));
    EXPECT_TRUE(t.op.transcript().empty());
    EXPECT_EQ(first->written, "Rdv");
    EXPECT_EQ(std::count(steps.calls.begin(), steps.calls.end(), "writeNetworkSettings"), 1);
    EXPECT_EQ(steps.calls.front(), "stopAcquisition");
}

TEST_F(ShutdownTest, APortThatFailsDoesNotStopTheOthersOrTheClose) {
    auto first = openInstrument(1);
    auto second = openInstrument(2);
    first->failing = true;
    t.op.answers = {Answer::Yes};
    EXPECT_TRUE(closeWorkstation(w, steps));
    EXPECT_EQ(second->written, "Rdv");
    EXPECT_TRUE(settingsWritten());
}

TEST_F(ShutdownTest, ASettingsFileThatCannotBeWrittenIsReportedAndTheCloseGoesOn) {
    w.state.offline = true;
    std::filesystem::create_directories(t.app() / "mca.ini");
    EXPECT_TRUE(closeWorkstation(w, steps));
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_NE(t.op.messages()[0].find("mca.ini"), std::string::npos);
}

}  // namespace
}  // namespace mca
