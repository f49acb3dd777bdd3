// Pauses inside long sequences (opening instruments, setting commands, high-voltage waits).
// The program keeps handling events while it waits; tests advance a virtual clock instead.
#pragma once

namespace mca {

class Waiter {
public:
    virtual ~Waiter() = default;
    // Returns after `milliseconds` (>= 0); timers and window events keep running meanwhile.
    virtual void pause(int milliseconds) = 0;
};

}  // namespace mca
