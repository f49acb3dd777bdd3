// The device layer against the simulated instrument in the same process, in virtual time:
// identification, finding MCA 1 at start, a whole acquisition, the idle battery poll, and an
// instrument that goes away.
#include "device/acquisition_engine.h"
#include "device/device_steps.h"
#include "device/identify.h"
#include "device/protocol.h"
#include "calibration/detector_databases.h"

#include "core/startup.h"
#include "sim/gain.h"
#include "sim/simulated_port.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mca {
namespace {

class InstrumentLinkTest : public ::testing::Test {
protected:
    InstrumentLinkTest() {
        t.writeAppFile("Library/TREL.lib", "lib");
        sim::InstrumentConfig config;
        config.sources = {"cs137"};
        config.ratePerSecond = 3000;
        config.seed = 11;
        config.identity.serialNumber = "212345";
        ports.place(3, config);
    }

    testing::TestWorkstation t;
    sim::SimulatedPortProvider ports{t.clock};
    Workstation w{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app()};
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    HvRamp ramp{t.clock, t.clock};
    HardwareControl control{w, engine, databases, ramp};
    DiscoveryHooks discovery;
    DeviceSteps steps{engine, control, discovery};
};

TEST_F(InstrumentLinkTest, IdentifiesAnInstrumentAndNothingElse) {
    auto port = identifyOnPort(ports, 3, t.clock, false, false);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->comNumber(), 3);
    port.reset();
    EXPECT_FALSE(identifyOnPort(ports, 4, t.clock, false, false));
    // A forced port throws its first answer away and still finds the instrument.
    EXPECT_TRUE(identifyOnPort(ports, 3, t.clock, false, true));
}

TEST_F(InstrumentLinkTest, StartFindsTheInstrumentAndAcquiresItsSpectrum) {
    t.op.answers = {Answer::No};   // leave the HV question; the HV is set below
    ASSERT_EQ(startWorkstation(w, {}, steps), StartOutcome::Running);
    ASSERT_TRUE(w.session(1).open);
    EXPECT_EQ(w.session(1).comNumber, 3);
    EXPECT_EQ(std::count(w.screen.splashHistory.begin(), w.screen.splashHistory.end(), "Looking for Model 415 on COM3"),
              1);

    sendHighVoltage(Link{*w.session(1).port, t.clock, false}, 800, w.session(1).hvFullScale);
    EXPECT_EQ(ports.instrument(3)->state().hvCode, 6553);   // 800 / 2000 x 16383
    w.state.presetRealTime = 10;
    w.state.presetRealTimeOn = true;
    ASSERT_TRUE(engine.startAcquisition());
    t.clock.advance(12000);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_DOUBLE_EQ(w.state.realTime, 10.0);

    // The start sent the session's settings (no detector here), so the gain is the instrument's now.
    const Spectrum& s = w.session(1).spectrum;
    const double predicted = sim::predictChannel(661.657, ports.instrument(3)->state().gain());
    const auto from = s.counts.begin() + static_cast<long>(predicted * 0.8);
    const auto peak = std::max_element(from, s.counts.begin() + static_cast<long>(predicted * 1.2)) - s.counts.begin();
    EXPECT_NEAR(static_cast<double>(peak), predicted, 3.0 + predicted * 0.01);
    EXPECT_GT(s.totalCounts, 10000);
    EXPECT_EQ(w.session(1).errorCount, 0);
}

TEST_F(InstrumentLinkTest, AnInstrumentAboveCom197DoesNotCount) {
    ports.vanish(3);
    ports.place(198);
    t.op.answers = {Answer::Yes};   // offline
    ASSERT_EQ(startWorkstation(w, {}, steps), StartOutcome::Running);
    EXPECT_TRUE(w.state.offline);
    EXPECT_FALSE(w.session(1).open);
}

TEST_F(InstrumentLinkTest, ComSwitchTriesOnlyThatPort) {
    ports.place(5);
    t.op.answers = {Answer::No};
    ASSERT_EQ(startWorkstation(w, {"-COM", "5"}, steps), StartOutcome::Running);
    EXPECT_EQ(w.session(1).comNumber, 5);
    EXPECT_EQ(std::count_if(w.screen.splashHistory.begin(), w.screen.splashHistory.end(),
                            [](const std::string& s) { return s.rfind("Looking for", 0) == 0; }),
              1);
}

TEST_F(InstrumentLinkTest, IdlePollReadsTheBatteryEveryThirtySeconds) {
    w.session(1).port = ports.open(3, 115200);
    w.session(1).open = true;
    engine.startIdlePoll();
    t.clock.advance(29000);
    EXPECT_TRUE(w.screen.instrumentStatus[0].battery.empty());
    t.clock.advance(1000);
    EXPECT_GT(w.session(1).battery.raw, 200);
    EXPECT_EQ(w.screen.instrumentStatus[0].battery.size(), 4u);   // "8.95" and the like
}

TEST_F(InstrumentLinkTest, AVanishedInstrumentLeavesItsSpectrum) {
    w.session(1).port = ports.open(3, 115200);
    w.session(1).open = true;
    w.session(1).comNumber = 3;
    sendHighVoltage(Link{*w.session(1).port, t.clock, false}, 800, w.session(1).hvFullScale);
    engine.startAcquisition();
    t.clock.advance(3000);
    const double before = w.session(1).spectrum.sum();
    ASSERT_GT(before, 0.0);
    ports.vanish(3);
    t.clock.advance(2000);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_FALSE(w.session(1).open);
    EXPECT_GE(w.session(1).spectrum.sum(), before);
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_NE(t.op.messages()[0].find("stopped answering"), std::string::npos);
}

}  // namespace
}  // namespace mca
