// Identifying the second instrument on a port.
#include "device/discovery_identify.h"

#include "device/identify.h"
#include "device/protocol.h"

namespace mca {

std::unique_ptr<SerialPort> identifySecondOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter,
                                                 bool networkMode) {
    try {
        auto port = ports.open(comNumber, kInstrumentBaud);
        port->write("R");
        waiter.pause(networkMode ? 350 : 150);
        for (int attempt = 0; attempt < kIdentifyTries; ++attempt) {
            port->purge();
            port->write("U");
            waiter.pause(0);
            waiter.pause(100);
            if (port->readAll() == "VORA2") return port;
        }
    } catch (const SerialPortError&) {
    }
    return nullptr;
}

}  // namespace mca
