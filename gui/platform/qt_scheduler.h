// The core's periodic timers as Qt timers on the event loop of the thread that starts them.
#pragma once

#include "core/scheduler.h"

#include <map>
#include <memory>

class QTimer;

namespace mca {

class QtScheduler : public Scheduler {
public:
    QtScheduler() = default;
    QtScheduler(const QtScheduler&) = delete;
    QtScheduler& operator=(const QtScheduler&) = delete;
    ~QtScheduler() override;

    TimerId startTimer(int intervalMilliseconds, std::function<void()> onTick) override;
    // Safe from inside the timer's own callback; unknown ids are ignored.
    void stopTimer(TimerId id) override;
    // Timers started and not stopped.
    int activeTimers() const { return static_cast<int>(m_timers.size()); }

private:
    TimerId m_nextId = 1;
    std::map<TimerId, QTimer*> m_timers;
};

}  // namespace mca
