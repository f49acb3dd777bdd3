// The port search of the opening sequences.
#include "device/discovery_search.h"

#include "device/discovery_identify.h"
#include "device/identify.h"

namespace mca {

namespace {

std::unique_ptr<SerialPort> identify(Workstation& w, const PortSearch& search, int comNumber) {
    SerialPortProvider& ports = w.platform.ports;
    Waiter& waiter = w.platform.waiter;
    if (search.tries == IdentifyTries::SecondInstrument) {
        return identifySecondOnPort(ports, comNumber, waiter, w.state.networkMode);
    }
    return identifyOnPort(ports, comNumber, waiter, w.state.networkMode, search.forcedPort);
}

}  // namespace

std::vector<int> portRange(int first, int last) {
    std::vector<int> numbers;
    for (int n = first; n <= last; ++n) numbers.push_back(n);
    return numbers;
}

std::optional<FoundInstrument> searchForInstrument(Workstation& w, const PortSearch& search) {
    for (const int n : search.ports) {
        if (search.splashText) w.screen.showSplash(search.splashText(n));
        auto port = identify(w, search, n);
        if (!port) continue;
        if (n < 1 || n > search.highestUsable) return std::nullopt;
        return FoundInstrument{std::move(port), n};
    }
    return std::nullopt;
}

}  // namespace mca
