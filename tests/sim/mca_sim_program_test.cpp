// The mca-sim program itself: it prints its pseudo-terminal, speaks the protocol there, paces its
// stream at the baud rate, survives the host closing the terminal, and on SIGTERM exits 0 and
// removes its link. Bad options end it with status 2.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <regex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace mca::sim {
namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

std::string simPath() {
#ifdef MCA_SIM_PATH
    return MCA_SIM_PATH;
#else
    return (fs::read_symlink("/proc/self/exe").parent_path() / "mca-sim").string();
#endif
}

// A child mca-sim with its standard output on a pipe and its messages silenced; killed if a test
// leaves it running.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        std::vector<std::string> all{simPath()};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        const int error = posix_spawn(&m_pid, all[0].c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        m_stdout = out[0];
        if (error != 0) throw std::runtime_error("cannot start " + all[0]);
    }
    ~SimProcess() {
        if (m_pid > 0 && !m_exited) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        close(m_stdout);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    // The first line of standard output, without its newline; empty when none came in time.
    std::string firstLine(std::chrono::milliseconds timeout) {
        std::string line;
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            pollfd p{m_stdout, POLLIN, 0};
            if (poll(&p, 1, 50) <= 0) continue;
            char c;
            if (read(m_stdout, &c, 1) != 1) break;
            if (c == '\n') return line;
            line += c;
        }
        return {};
    }

    // The exit status, or -1 when it did not end in time.
    int waitForExit(std::chrono::milliseconds timeout) {
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline) {
            int status = 0;
            if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_exited = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return -1;
    }

    void signal(int number) const { kill(m_pid, number); }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    bool m_exited = false;
};

// The host's end of the pseudo-terminal, raw.
class Terminal {
public:
    explicit Terminal(const std::string& path) : m_fd(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {
        if (m_fd < 0) throw std::runtime_error("cannot open " + path);
        termios t{};
        tcgetattr(m_fd, &t);
        cfmakeraw(&t);
        t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
        tcsetattr(m_fd, TCSANOW, &t);
        tcflush(m_fd, TCIOFLUSH);
    }
    ~Terminal() { close(m_fd); }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    void send(const std::string& bytes) const { ASSERT_EQ(write(m_fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }

    // Everything that arrives within `duration`.
    std::string collect(std::chrono::milliseconds duration) const {
        std::string out;
        const auto deadline = Clock::now() + duration;
        for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
            pollfd p{m_fd, POLLIN, 0};
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
            if (poll(&p, 1, static_cast<int>(left) + 1) <= 0) continue;
            char buffer[4096];
            const ssize_t n = read(m_fd, buffer, sizeof buffer);
            if (n > 0) out.append(buffer, static_cast<std::size_t>(n));
        }
        return out;
    }

    // What arrives until it holds `wanted` or `timeout` passes.
    std::string await(const std::string& wanted, std::chrono::milliseconds timeout) const {
        std::string out;
        const auto deadline = Clock::now() + timeout;
        while (Clock::now() < deadline && out.find(wanted) == std::string::npos) out += collect(std::chrono::milliseconds(20));
        return out;
    }

private:
    int m_fd;
};

fs::path freshDirectory() {
    std::string pattern = (fs::temp_directory_path() / "mca-sim-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp");
    return pattern;
}

TEST(McaSimProgram, ServesThePseudoTerminalUntilSigterm) {
    const fs::path dir = freshDirectory();
    const fs::path link = dir / "mca";
    const fs::path log = dir / "bytes.log";
    SimProcess sim({"--serial", "212121", "--rate", "50000", "--seed", "3", "--link", link.string(), "--log", log.string()});
    const std::string slave = sim.firstLine(std::chrono::seconds(5));
    ASSERT_FALSE(slave.empty()) << "no terminal path printed";
    EXPECT_EQ(fs::read_symlink(link), slave);
    {
        const Terminal host(link.string());
        host.send("U");
        EXPECT_EQ(host.await("VORA2", std::chrono::seconds(2)), "VORA2");
        host.send("@");
        EXPECT_EQ(host.await("212121", std::chrono::seconds(2)), "212121");

        // At 50000 pulses per second the stream is held to the 11520 bytes a second of 115200 baud.
        host.send(std::string("V\x66\x64G", 4));
        host.collect(std::chrono::milliseconds(300));
        const auto from = Clock::now();
        const std::string stream = host.collect(std::chrono::milliseconds(1000));
        const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
        EXPECT_LE(static_cast<double>(stream.size()), 11520 * (seconds + 0.05)) << "faster than the line";
        EXPECT_GE(static_cast<double>(stream.size()), 11520 * seconds * 0.7) << "the line left idle";
        host.send("R");
        host.collect(std::chrono::milliseconds(200));
    }
    {
        const Terminal again(slave);  // a host that closed the terminal and opens it anew
        again.send("U");
        EXPECT_EQ(again.await("VORA2", std::chrono::seconds(2)), "VORA2");
    }
    sim.signal(SIGTERM);
    EXPECT_EQ(sim.waitForExit(std::chrono::seconds(5)), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(link))) << "link left behind";

    std::ifstream in(log);
    std::string first;
    std::getline(in, first);
    EXPECT_TRUE(std::regex_match(first, std::regex(R"(\d+\.\d{3} 55)"))) << first;
    fs::remove_all(dir);
}

TEST(McaSimProgram, BadOptionsEndWithStatusTwo) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--serial", "123"},
                                                 std::vector<std::string>{"--sources", "cs999"},
                                                 std::vector<std::string>{"--speed", "9"}}) {
        SimProcess sim(args);
        EXPECT_EQ(sim.waitForExit(std::chrono::seconds(5)), 2) << args[0] << " " << args[1];
    }
}

}  // namespace
}  // namespace mca::sim
