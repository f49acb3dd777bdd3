// The whole application against the simulated instrument in virtual time: the bytes the
// instrument receives at start-up and at close, in their order, and an acquisition saved to a
// spectrum file on its end.
#include "app/application.h"

#include "calibration/detector_record.h"
#include "core/atomic_file.h"
#include "sim/simulated_port.h"
#include "support/listening_ports.h"
#include "support/simulated_setup.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() {
        t.writeAppFile("Library/TREL.lib", "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n");
        t.writeAppFile("CalFiles/212345Dets.dat", testing::simulatedDetectorsFile());
        simPorts.place(3, testing::simulatedCs137Instrument());
    }

    // The position of `bytes` at or after `from`; fails the test when it is not there.
    std::size_t expectAfter(const std::string& bytes, std::size_t from) {
        const std::size_t at = ports.written(3).find(bytes, from);
        EXPECT_NE(at, std::string::npos) << "no " << ::testing::PrintToString(bytes) << " after " << from;
        return at == std::string::npos ? from : at + bytes.size();
    }

    testing::TestWorkstation t;
    sim::SimulatedPortProvider simPorts{t.clock};
    testing::ListeningPorts ports{simPorts};
    FrontEnd frontEnd;
    Application app{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app(), frontEnd};
};

TEST_F(ApplicationTest, StartUpSendsIdentityAlarmsSettingsAndHighVoltageInOrder) {
    t.op.answers = {Answer::Yes};
    ASSERT_TRUE(app.start({}));
    Workstation& w = app.workstation();
    ASSERT_TRUE(w.session(1).open);
    EXPECT_EQ(w.session(1).serialNumber, "212345");
    EXPECT_EQ(t.op.questions().at(0), "Model 415 # 212345 Found on COM 3.\rEnable High Voltage to 800 volts?");

    std::size_t at = expectAfter("U", 0);
    at = expectAfter("@", at);
    at = expectAfter("f", at);
    at = expectAfter("%2", at);
    at = expectAfter("2", at);
    at = expectAfter("zw", at);
    at = expectAfter("I1", at);
    at = expectAfter("S3", at);
    at = expectAfter("C2", at);
    at = expectAfter(std::string("F\x7F", 2), at);
    at = expectAfter("T", at);
    expectAfter("V", at);

    const auto& state = simPorts.instrument(3)->state();
    EXPECT_NEAR(state.hvVolts(), 800.0, 0.2);
    EXPECT_EQ(state.coarseIndex, 2);
    EXPECT_EQ(state.shapingIndex, 3);
    EXPECT_EQ(state.input, 1);
    EXPECT_FALSE(state.alarm0);
    EXPECT_FALSE(state.alarm1);
}

TEST_F(ApplicationTest, CloseStopsResetsSwitchesOffAndLeavesTheAlarmsOff) {
    t.op.answers = {Answer::Yes};
    ASSERT_TRUE(app.start({}));
    ASSERT_TRUE(app.engine().startAcquisition());
    t.clock.advance(3000);
    const std::size_t before = ports.written(3).size();
    t.op.answers = {Answer::No, Answer::Yes};   // do not save the spectrum; yes, close
    ASSERT_TRUE(app.close());
    std::size_t at = expectAfter("R", before);
    at = expectAfter("d", at);
    at = expectAfter(std::string("V\x00\x00", 3), at);
    at = expectAfter("v", at);
    expectAfter("zw", at);
    EXPECT_NEAR(simPorts.instrument(3)->state().hvVolts(), 0.0, 0.01);
    EXPECT_TRUE(std::filesystem::exists(t.app() / "mca.ini"));
    EXPECT_TRUE(std::filesystem::exists(t.app() / "CalFiles/212345Dets.dat"));
}

TEST_F(ApplicationTest, AnAcquisitionIsSavedAtItsEndWhenAsked) {
    t.op.answers = {Answer::Yes};
    ASSERT_TRUE(app.start({}));
    Workstation& w = app.workstation();
    w.state.presetRealTime = 5;
    w.state.presetRealTimeOn = true;
    app.engine().saveOnEnd = true;
    ASSERT_TRUE(app.engine().startAcquisition());
    t.clock.advance(8000);
    ASSERT_FALSE(w.state.acquiring);
    const auto files = std::filesystem::directory_iterator(w.folders.spectra);
    std::vector<std::filesystem::path> saved(begin(files), end(files));
    ASSERT_EQ(saved.size(), 1u);
    const std::string text = readFileBytes(saved[0]);
    EXPECT_NE(text.find("Detector:,NaI 2x2"), std::string::npos);
    EXPECT_NE(text.find("Model 415 Serial Number:,212345"), std::string::npos);
    EXPECT_NE(text.find("Counting Time (sec):,5"), std::string::npos);
}

TEST_F(ApplicationTest, ASilentInstrumentLeadsToTheOfflineQuestion) {
    simPorts.vanish(3);
    t.op.answers = {Answer::Yes};
    ASSERT_TRUE(app.start({}));
    EXPECT_TRUE(app.workstation().state.offline);
    EXPECT_EQ(t.op.questions().at(0), "Model 415 Not Found.  Open in Offline Mode?");
}

}  // namespace
}  // namespace mca
