// A clock for tests: pauses advance virtual time at once and run the timers that fall due on the
// way, so a six-second wait costs nothing and timer order is exact.
#pragma once

#include "core/clock.h"
#include "core/scheduler.h"
#include "core/timer_queue.h"
#include "core/waiter.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace mca::testing {

class VirtualClock : public Clock, public Waiter, public Scheduler {
public:
    explicit VirtualClock(DateTime start = DateTime{2026, 12, 11, 9, 30, 0, 0});

    DateTime now() const override;
    std::int64_t steadyMilliseconds() const override { return m_elapsedMs; }

    void pause(int milliseconds) override;
    TimerId startTimer(int intervalMilliseconds, std::function<void()> onTick) override;
    void stopTimer(TimerId id) override { m_timers.stop(id); }

    // Advances time as a pause does.
    void advance(std::int64_t milliseconds);
    // Every pause requested, in order.
    const std::vector<int>& pauses() const { return m_pauses; }
    std::int64_t totalPausedMs() const;
    bool timerRunning(TimerId id) const { return m_timers.running(id); }

private:
    DateTime m_start;
    std::int64_t m_elapsedMs = 0;
    TimerQueue m_timers;
    std::vector<int> m_pauses;
};

}  // namespace mca::testing
