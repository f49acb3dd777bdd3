// The port search shared by the three opening sequences: ports tried in order, the first that
// holds an instrument ends the search, and a find above the usable range counts as none.
#pragma once

#include "core/serial_port.h"
#include "core/workstation.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mca {

enum class IdentifyTries { Standard, SecondInstrument };

struct PortSearch {
    std::vector<int> ports;                      // COM numbers, tried in this order
    int highestUsable = 0;                       // a find above this COM number counts as none
    IdentifyTries tries = IdentifyTries::Standard;
    bool forcedPort = false;                     // the -COM port: see identifyOnPort
    std::function<std::string(int)> splashText;  // the feedback line while a port is tried, if any
};

struct FoundInstrument {
    std::unique_ptr<SerialPort> port;
    int comNumber = 0;
};

// COM numbers first..last in order.
std::vector<int> portRange(int first, int last);

// Tries the ports in order and stops at the first that holds an instrument. nullopt when none
// does, or when the first that does is above highestUsable; that port is closed again.
std::optional<FoundInstrument> searchForInstrument(Workstation& w, const PortSearch& search);

}  // namespace mca
