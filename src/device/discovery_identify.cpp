// Identifying the second instrument on a port.
#include "device/discovery_identify.h"

#include "device/identify.h"

namespace mca {

std::unique_ptr<SerialPort> identifySecondOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter,
                                                 bool networkMode) {
    // Each try lets pending events run (a zero pause) and then waits 100 ms.
    return identifyWithTries(ports, comNumber, waiter, networkMode, {0, 100});
}

}  // namespace mca
