// Periodic timers fired in time order.
#include "core/timer_queue.h"

#include <algorithm>

namespace mca {

TimerId TimerQueue::start(int intervalMilliseconds, std::int64_t nowMs, std::function<void()> onTick) {
    const TimerId id = m_nextId++;
    const int interval = std::max(intervalMilliseconds, 1);
    m_timers[id] = Timer{interval, nowMs + interval, std::move(onTick)};
    return id;
}

std::optional<TimerId> TimerQueue::earliest() const {
    // Ties go to the older timer, which has the smaller id.
    const auto it = std::min_element(m_timers.begin(), m_timers.end(),
                                     [](const auto& a, const auto& b) { return a.second.dueMs < b.second.dueMs; });
    if (it == m_timers.end()) return std::nullopt;
    return it->first;
}

std::optional<std::int64_t> TimerQueue::earliestDue() const {
    const auto id = earliest();
    if (!id) return std::nullopt;
    return m_timers.at(*id).dueMs;
}

void TimerQueue::fireEarliest(std::int64_t fromMs) {
    const auto id = earliest();
    if (!id) return;
    Timer& timer = m_timers.at(*id);
    timer.dueMs = fromMs + timer.intervalMs;
    const auto onTick = timer.onTick;   // a copy: the callback may stop its own timer
    onTick();
}

}  // namespace mca
