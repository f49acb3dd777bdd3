// Waiting and timers for the terminal front.
#include "console_loop.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace mca::console {

void ConsoleLoop::pause(int milliseconds) {
    const std::int64_t until = m_clock.steadyMilliseconds() + std::max(milliseconds, 0);
    for (;;) {
        runDueTimers();
        const std::int64_t left = until - m_clock.steadyMilliseconds();
        if (left <= 0) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(left, 10)));
    }
}

TimerId ConsoleLoop::startTimer(int intervalMilliseconds, std::function<void()> onTick) {
    return m_timers.start(intervalMilliseconds, m_clock.steadyMilliseconds(), std::move(onTick));
}

void ConsoleLoop::runDueTimers() {
    // A late timer fires once and counts its next interval from now, as an event loop's timer does.
    const std::int64_t now = m_clock.steadyMilliseconds();
    for (auto due = m_timers.earliestDue(); due && *due <= now; due = m_timers.earliestDue()) {
        m_timers.fireEarliest(now);
    }
}

}  // namespace mca::console
