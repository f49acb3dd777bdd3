// The periodic timers behind a Scheduler that is not an event loop's: the virtual clock of the
// tests and the terminal front both keep their timers here and fire them in time order.
#pragma once

#include "core/scheduler.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace mca {

class TimerQueue {
public:
    TimerId start(int intervalMilliseconds, std::int64_t nowMs, std::function<void()> onTick);
    void stop(TimerId id) { m_timers.erase(id); }
    bool running(TimerId id) const { return m_timers.count(id) != 0; }
    // When the earliest timer falls due; nullopt with no timer running.
    std::optional<std::int64_t> earliestDue() const;
    // Fires the earliest timer after setting its next time to `fromMs` + its interval. The callback
    // may start and stop timers, its own included.
    void fireEarliest(std::int64_t fromMs);

private:
    struct Timer {
        int intervalMs;
        std::int64_t dueMs;
        std::function<void()> onTick;
    };
    std::optional<TimerId> earliest() const;

    std::map<TimerId, Timer> m_timers;
    TimerId m_nextId = 1;
};

}  // namespace mca
