// The virtual clock of the tests.
#include "support/virtual_clock.h"

#include <algorithm>
#include <numeric>

namespace mca::testing {

VirtualClock::VirtualClock(DateTime start) : m_start(start) {}

DateTime VirtualClock::now() const { return addMilliseconds(m_start, m_elapsedMs); }

void VirtualClock::pause(int milliseconds) {
    m_pauses.push_back(milliseconds);
    advance(milliseconds);
}

std::int64_t VirtualClock::totalPausedMs() const {
    return std::accumulate(m_pauses.begin(), m_pauses.end(), std::int64_t{0});
}

TimerId VirtualClock::startTimer(int intervalMilliseconds, std::function<void()> onTick) {
    const TimerId id = m_nextId++;
    m_timers[id] = Timer{intervalMilliseconds, m_elapsedMs + intervalMilliseconds, std::move(onTick)};
    return id;
}

void VirtualClock::stopTimer(TimerId id) { m_timers.erase(id); }

void VirtualClock::advance(std::int64_t milliseconds) {
    const std::int64_t target = m_elapsedMs + std::max<std::int64_t>(milliseconds, 0);
    for (;;) {
        // The earliest timer due by the target fires first; ties go to the older timer.
        auto next = std::min_element(m_timers.begin(), m_timers.end(),
                                     [](const auto& a, const auto& b) { return a.second.dueMs < b.second.dueMs; });
        if (next == m_timers.end() || next->second.dueMs > target) break;
        m_elapsedMs = next->second.dueMs;
        next->second.dueMs += next->second.intervalMs;
        auto onTick = next->second.onTick;   // the callback may stop its own timer
        onTick();
    }
    m_elapsedMs = target;
}

}  // namespace mca::testing
