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
    const TimerId id = m_nextId++;
    m_timers[id] = Timer{intervalMilliseconds, m_clock.steadyMilliseconds() + intervalMilliseconds, std::move(onTick)};
    return id;
}

void ConsoleLoop::runDueTimers() {
    const std::int64_t now = m_clock.steadyMilliseconds();
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        const TimerId id = it->first;
        if (it->second.dueMs > now) {
            ++it;
            continue;
        }
        it->second.dueMs = now + it->second.intervalMs;
        auto onTick = it->second.onTick;   // the callback may stop its own timer
        onTick();
        it = m_timers.upper_bound(id);
    }
}

}  // namespace mca::console
