// The boundary implementations a workstation runs with: the real ones in the program, test doubles
// in tests.
#pragma once

#include "core/clock.h"
#include "core/desktop.h"
#include "core/operator.h"
#include "core/scheduler.h"
#include "core/serial_port.h"
#include "core/waiter.h"

namespace mca {

struct Platform {
    Clock& clock;
    Waiter& waiter;
    Scheduler& scheduler;
    Operator& op;
    Desktop& desktop;
    SerialPortProvider& ports;
};

}  // namespace mca
