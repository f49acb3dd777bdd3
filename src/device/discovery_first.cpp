// Finding and identifying MCA 1 at start.
#include "device/discovery_first.h"

#include "device/discovery_identity.h"
#include "device/discovery_search.h"
#include "device/port_choice.h"

namespace mca {

namespace {

constexpr int kAfterFoundMs = 150;

// The ports to try; nullopt when the operator cancelled the port dialog.
std::optional<PortSearch> firstSearch(Workstation& w) {
    PortSearch search;
    search.highestUsable = kFirstUsableLastPort;
    const std::string name(w.state.edition.instrumentName);
    search.splashText = [name](int n) { return "Looking for " + name + " on COM" + std::to_string(n); };
    if (w.state.forcedComPort != kNoForcedComPort) {
        search.ports = {w.state.forcedComPort};
        search.forcedPort = true;
    } else if (w.settings.specifyComPort) {
        const auto chosen = choosePort(w, PortPurpose::Instrument);
        if (!chosen) return std::nullopt;
        search.ports = {*chosen};
    } else {
        search.ports = portRange(1, kFirstSearchLastPort);
    }
    return search;
}

}  // namespace

bool openFirstInstrument(Workstation& w) {
    const auto search = firstSearch(w);
    if (!search) return false;
    auto found = searchForInstrument(w, *search);
    if (!found) return false;
    InstrumentSession& s = w.session(1);
    s.port = std::move(found->port);
    s.comNumber = found->comNumber;
    w.platform.waiter.pause(kAfterFoundMs);
    w.screen.showSplash("Reading Battery Voltage");
    return true;
}

IdentityOutcome readFirstInstrumentIdentity(Workstation& w, DiscoveryHooks& hooks) {
    // The start routine has shown the serial-number splash before this step.
    return readInstrumentIdentity(w, 1, hooks, IdentityReading{});
}

}  // namespace mca
