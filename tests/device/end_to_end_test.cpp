// The whole link for real: mca-sim on a pseudo-terminal, found through the port table, opened
// through the termios port, identified, set, acquiring for a few seconds in real time; then the
// simulator dies mid-acquisition and the engine keeps what it had.
#include "device/acquisition_engine.h"
#include "device/device_steps.h"
#include "device/protocol.h"
#include "calibration/detector_databases.h"
#include "device/termios_port_provider.h"

#include "core/ini_file.h"
#include "core/system_clock.h"
#include "sim/gain.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace mca {
namespace {

// Pauses in real time; this test talks to a real process.
class SleepingWaiter : public Waiter {
public:
    void pause(int milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

// mca-sim as a child process whose first line of output is its terminal.
class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::vector<std::string>& options) {
        const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "mca-sim";
        if (!std::filesystem::exists(program)) return;
        int out[2];
        if (::pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        std::vector<std::string> args{program.string()};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_terminal = readFirstLine(out[0]);
        ::close(out[0]);
    }
    ~SimulatorProcess() { stop(SIGTERM); }

    const std::string& terminal() const { return m_terminal; }
    void stop(int signal) {
        if (m_pid <= 0) return;
        ::kill(m_pid, signal);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

private:
    static std::string readFirstLine(int fd) {
        std::string line;
        for (;;) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 5000) <= 0) return {};
            char c = 0;
            if (::read(fd, &c, 1) != 1) return {};
            if (c == '\n') return line;
            line.push_back(c);
        }
    }

    pid_t m_pid = -1;
    std::string m_terminal;
};

TEST(EndToEnd, AcquiresFromTheSimulatorOverARealTerminal) {
    SimulatorProcess simulator({"--sources", "cs137", "--rate", "4000", "--seed", "5", "--serial", "212345"});
    if (simulator.terminal().empty()) GTEST_SKIP() << "mca-sim is not built next to the tests";

    testing::TestWorkstation t;
    t.writeAppFile("Library/TREL.lib", "lib");
    SystemClock clock;
    SleepingWaiter waiter;
    TermiosPortProvider ports{PortTable(IniFile{}, "COM1=" + simulator.terminal())};
    // The scheduler is the virtual clock, never advanced: this test calls the tick itself.
    Workstation w{Platform{clock, waiter, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app()};
    w.state.edition = *editionFromTitle("TREL MCA");
    AcquisitionHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DetectorDatabases databases;
    HvRamp ramp{t.clock, waiter};
    HardwareControl control{w, engine, databases, ramp};
    DiscoveryHooks discovery;
    DeviceSteps steps{engine, control, discovery};

    ASSERT_TRUE(steps.findInstrument(w));
    ASSERT_TRUE(steps.readIdentity(w));
    EXPECT_EQ(w.session(1).serialNumber, "212345");
    EXPECT_EQ(w.session(1).comNumber, 1);
    // The HV wait runs on the scheduler, which this test does not drive: send the voltage itself.
    sendHighVoltage(Link{*w.session(1).port, waiter, false}, 800, w.session(1).hvFullScale);
    ASSERT_TRUE(engine.startAcquisition());
    for (int second = 0; second < 3; ++second) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        engine.tick();
    }
    const Spectrum& s = w.session(1).spectrum;
    EXPECT_GE(w.state.realTime, 2.7);
    EXPECT_GT(s.totalCounts, 3000);
    const auto peak = std::max_element(s.counts.begin() + 500, s.counts.begin() + 800) - s.counts.begin();
    EXPECT_NEAR(static_cast<double>(peak), sim::predictChannel(661.657, sim::GainSettings{800, 2, 127, 0}), 10.0);

    const double kept = s.sum();
    simulator.stop(SIGKILL);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    engine.tick();
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_FALSE(w.session(1).open);
    EXPECT_GE(w.session(1).spectrum.sum(), kept);
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_NE(t.op.messages()[0].find("stopped answering"), std::string::npos);
}

}  // namespace
}  // namespace mca
