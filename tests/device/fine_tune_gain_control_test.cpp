// Setting the fine gain directly: the bytes sent, the acquisition stopped around them, where the
// position is kept, the pending edit, and a port that has gone.
#include "device/fine_tune_gain_control.h"

#include "calibration/detector_databases.h"
#include "device/acquisition_engine.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

class FineTuneGainControlTest : public ::testing::Test {
protected:
    FineTuneGainControlTest() {
        w.state.hardwareTarget = kScreenDecides;
        port = t.ports.add(1);
        w.session(1).port = t.ports.open(1, 115200);
        w.session(1).open = true;
    }

    testing::TestWorkstation t;
    Workstation& w = *t;
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    DirectFineGainControl control{engine, databases};
    std::shared_ptr<testing::PortRecord> port;
};

TEST_F(FineTuneGainControlTest, SendsThePositionAndKeepsItInTheSessionAndTheDetectorRecord) {
    control.showPendingFineGain(w, 1, 140);
    struct Case {
        int asked;
        int sent;
    };
    for (const Case& c : {Case{128, 128}, Case{300, 255}, Case{-4, 0}}) {
        port->written.clear();
        EXPECT_TRUE(control.setFineGain(w, 1, c.asked));
        EXPECT_EQ(port->written, std::string("F") + static_cast<char>(c.sent)) << c.asked;
        EXPECT_EQ(w.session(1).settings.fineGain, c.sent);
        EXPECT_EQ(SelectedRecord(databases, 1)[field::kFineGain], std::to_string(c.sent));
        EXPECT_FALSE(control.pendingFineGain(1));
    }
}

TEST_F(FineTuneGainControlTest, ARunningAcquisitionStopsForTheCommandAndGoesOn) {
    ASSERT_TRUE(engine.startAcquisition());
    w.session(1).spectrum.counts[10] = 7;
    port->written.clear();
    EXPECT_TRUE(control.setFineGain(w, 1, 126));
    EXPECT_EQ(port->written, std::string("RF") + static_cast<char>(126) + "G");
    EXPECT_TRUE(w.state.acquiring);
    EXPECT_EQ(w.session(1).spectrum.counts[10], 7);
}

TEST_F(FineTuneGainControlTest, APendingEditWaitsForSet) {
    control.showPendingFineGain(w, 1, 126);
    EXPECT_EQ(control.pendingFineGain(1), 126);
    EXPECT_TRUE(port->written.empty());
    EXPECT_EQ(w.session(1).settings.fineGain, 127);
}

TEST_F(FineTuneGainControlTest, WithoutAWorkingLinkNothingChanges) {
    EXPECT_FALSE(control.setFineGain(w, 2, 100));   // never opened
    EXPECT_EQ(w.session(2).settings.fineGain, 127);

    port->failing = true;
    EXPECT_FALSE(control.setFineGain(w, 1, 100));
    EXPECT_EQ(w.session(1).settings.fineGain, 127);
    EXPECT_TRUE(SelectedRecord(databases, 1)[field::kFineGain].empty());
    EXPECT_EQ(t.op.messages().size(), 1u);
}

}  // namespace
}  // namespace mca
