// The device layer's start and close steps.
#include "device/device_steps.h"

#include "device/identify.h"
#include "device/protocol.h"

namespace mca {

namespace {

constexpr int kHighestSearchedPort = 399;
constexpr int kHighestUsablePort = 197;
constexpr int kAfterFoundMs = 150;

std::vector<int> portsToTry(Workstation& w) {
    if (w.state.forcedComPort != kNoForcedComPort) return {w.state.forcedComPort};
    std::vector<int> numbers;
    for (const PortListing& p : w.platform.ports.listPorts()) {
        if (p.comNumber >= 1 && p.comNumber <= kHighestSearchedPort) numbers.push_back(p.comNumber);
    }
    return numbers;
}

}  // namespace

bool DeviceSteps::findInstrument(Workstation& w) {
    const bool forced = w.state.forcedComPort != kNoForcedComPort;
    const std::string name(w.state.edition.instrumentName);
    for (int n : portsToTry(w)) {
        w.screen.showSplash("Looking for " + name + " on COM" + std::to_string(n));
        auto port = identifyOnPort(w.platform.ports, n, w.platform.waiter, w.state.networkMode, forced);
        if (!port) continue;
        if (n > kHighestUsablePort) return false;
        w.platform.waiter.pause(kAfterFoundMs);
        w.screen.showSplash("Reading Battery Voltage");
        InstrumentSession& s = w.session(1);
        s.port = std::move(port);
        s.comNumber = n;
        s.open = true;
        return true;
    }
    return false;
}

void DeviceSteps::setHighVoltage(Workstation& w, int instrument, double volts) {
    InstrumentSession& s = w.session(instrument);
    if (!s.open || !s.port) return;
    try {
        sendHighVoltage(Link{*s.port, w.platform.waiter, w.state.networkMode}, volts, s.hvFullScale);
        s.hvApplied = volts;
    } catch (const SerialPortError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
    }
}

}  // namespace mca
