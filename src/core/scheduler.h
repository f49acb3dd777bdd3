// Periodic timers of the core: the one-second acquisition tick, the 30 s battery poll and the
// 10 ms scaling tick. The program backs them with event-loop timers, tests with a virtual clock.
#pragma once

#include <functional>

namespace mca {

using TimerId = int;

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Calls `onTick` every `intervalMilliseconds` (> 0) from the event loop until stopped.
    virtual TimerId startTimer(int intervalMilliseconds, std::function<void()> onTick) = 0;
    // Stops the timer; unknown or already stopped ids are ignored.
    virtual void stopTimer(TimerId id) = 0;
};

}  // namespace mca
