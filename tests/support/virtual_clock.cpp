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
    return m_timers.start(intervalMilliseconds, m_elapsedMs, std::move(onTick));
}

void VirtualClock::advance(std::int64_t milliseconds) {
    const std::int64_t target = m_elapsedMs + std::max<std::int64_t>(milliseconds, 0);
    // Each timer fires at its own due time, so callbacks read the time they were due at.
    for (auto due = m_timers.earliestDue(); due && *due <= target; due = m_timers.earliestDue()) {
        m_elapsedMs = *due;
        m_timers.fireEarliest(*due);
    }
    // A timer callback may itself have paused past the target; time never runs backwards.
    m_elapsedMs = std::max(m_elapsedMs, target);
}

}  // namespace mca::testing
