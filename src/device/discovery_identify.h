// Identifying the second instrument on a port. Its tries differ from those of identify.h: no
// 1 ms after "U" but a turn of the event loop, and 100 ms instead of 150 before the read.
#pragma once

#include "core/serial_port.h"
#include "core/waiter.h"

#include <memory>

namespace mca {

// Opens "COM" + comNumber, sends "R", waits 150 ms (350 ms in monitoring-network mode), then up
// to five tries of: purge, "U", a turn of the event loop, 100 ms, read all, until a read is
// "VORA2". Returns the open port, or null when the port is missing, busy, fails or stays silent.
std::unique_ptr<SerialPort> identifySecondOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter,
                                                 bool networkMode);

}  // namespace mca
