// Pauses of the core in the Qt programs: the event loop keeps running while the core waits, so
// timers fire, windows repaint and the operator can still press buttons.
#pragma once

#include "core/waiter.h"

namespace mca {

class QtWaiter : public Waiter {
public:
    // Runs a local event loop for `milliseconds`; nested pauses each return after their own time.
    // Returns at once for 0 or less, and early when the application is quitting.
    void pause(int milliseconds) override;
};

}  // namespace mca
