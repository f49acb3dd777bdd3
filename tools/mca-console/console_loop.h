// Waiting and timers for the terminal front: a pause sleeps in small steps and runs the timers
// that fall due, as the window program's event loop does.
#pragma once

#include "core/clock.h"
#include "core/scheduler.h"
#include "core/timer_queue.h"
#include "core/waiter.h"

#include <cstdint>
#include <functional>

namespace mca::console {

class ConsoleLoop : public Waiter, public Scheduler {
public:
    explicit ConsoleLoop(const Clock& clock) : m_clock(clock) {}

    void pause(int milliseconds) override;
    TimerId startTimer(int intervalMilliseconds, std::function<void()> onTick) override;
    void stopTimer(TimerId id) override { m_timers.stop(id); }
    // Runs every timer that is due now.
    void runDueTimers();

private:
    const Clock& m_clock;
    TimerQueue m_timers;
};

}  // namespace mca::console
