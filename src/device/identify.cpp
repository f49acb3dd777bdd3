// Identifying an instrument on a port.
#include "device/identify.h"

#include "device/protocol.h"

namespace mca {

std::unique_ptr<SerialPort> identifyWithTries(SerialPortProvider& ports, int comNumber, Waiter& waiter,
                                              bool networkMode, const IdentifyTiming& tries) {
    try {
        auto port = ports.open(comNumber, kInstrumentBaud);
        port->write("R");
        waiter.pause(networkMode ? 350 : 150);
        for (int attempt = 0; attempt < kIdentifyTries; ++attempt) {
            port->purge();
            port->write("U");
            waiter.pause(tries.firstPauseMs);
            waiter.pause(tries.secondPauseMs);
            const std::string reply = port->readAll();
            if (tries.forcedPort && attempt == 0) continue;
            if (reply == "VORA2" || (tries.forcedPort && reply == "VORA2VORA2")) return port;
        }
    } catch (const SerialPortError&) {
    }
    return nullptr;
}

std::unique_ptr<SerialPort> identifyOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter, bool networkMode,
                                           bool forcedPort) {
    return identifyWithTries(ports, comNumber, waiter, networkMode, {1, networkMode ? 400 : 150, forcedPort});
}

}  // namespace mca
