// Identifying an instrument on a port.
#include "device/identify.h"

#include "device/protocol.h"

namespace mca {

std::unique_ptr<SerialPort> identifyOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter, bool networkMode,
                                           bool forcedPort) {
    try {
        auto port = ports.open(comNumber, kInstrumentBaud);
        port->write("R");
        waiter.pause(networkMode ? 350 : 150);
        for (int attempt = 0; attempt < kIdentifyTries; ++attempt) {
            port->purge();
            port->write("U");
            waiter.pause(1);
            waiter.pause(networkMode ? 400 : 150);
            const std::string reply = port->readAll();
            if (forcedPort && attempt == 0) continue;
            if (reply == "VORA2" || (forcedPort && reply == "VORA2VORA2")) return port;
        }
    } catch (const SerialPortError&) {
    }
    return nullptr;
}

}  // namespace mca
