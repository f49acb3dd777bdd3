// mca-sim: a simulated multichannel analyzer on a pseudo-terminal. It prints the terminal's path
// as its first line and serves the instrument there until SIGTERM or SIGINT.
#include "core/system_clock.h"
#include "sim/byte_log.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "sim/slave_link.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <sys/signalfd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// The stop signals arrive on a descriptor the serving loop polls, so stopping is an ordinary
// event of the loop and the link and log are cleaned up on the way out.
int stopSignalDescriptor() {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTERM);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGHUP);
    if (sigprocmask(SIG_BLOCK, &stops, nullptr) != 0) throw std::system_error(errno, std::generic_category(), "sigprocmask");
    const int fd = signalfd(-1, &stops, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "signalfd");
    return fd;
}

std::uint64_t seedFromTime() {
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}

int run(mca::sim::SimOptions options) {
    const int stopFd = stopSignalDescriptor();
    if (!options.seedGiven) options.instrument.seed = seedFromTime();
    mca::sim::Instrument instrument(options.instrument);
    mca::sim::PtyServer server;
    std::optional<mca::sim::SlaveLink> link;
    if (!options.linkPath.empty()) link.emplace(options.linkPath, server.slavePath());
    std::unique_ptr<mca::sim::ByteLog> log;
    if (!options.logPath.empty()) log = std::make_unique<mca::sim::ByteLog>(options.logPath);
    std::printf("%s\n", server.slavePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "mca-sim: serial %s, seed %llu\n", options.instrument.identity.serialNumber.c_str(),
                 static_cast<unsigned long long>(options.instrument.seed));
    const mca::SystemClock clock;
    server.serve(instrument, stopFd, clock, log.get());
    close(stopFd);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    mca::sim::SimOptions options;
    try {
        options = mca::sim::parseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const mca::sim::OptionError& e) {
        std::fprintf(stderr, "mca-sim: %s\n%s", e.what(), mca::sim::simUsage().c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::printf("%s", mca::sim::simUsage().c_str());
        return 0;
    }
    try {
        return run(std::move(options));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mca-sim: %s\n", e.what());
        return kExitFailure;
    }
}
