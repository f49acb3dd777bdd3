// Periodic timers on the event loop.
#include "qt_scheduler.h"

#include <QTimer>

namespace mca {

QtScheduler::~QtScheduler() {
    for (auto& [id, timer] : m_timers) delete timer;
}

TimerId QtScheduler::startTimer(int intervalMilliseconds, std::function<void()> onTick) {
    const TimerId id = m_nextId++;
    auto* timer = new QTimer;
    // A 10 ms tick needs better than the coarse timers' 5 % accuracy.
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMilliseconds > 0 ? intervalMilliseconds : 1);
    QObject::connect(timer, &QTimer::timeout, timer, [tick = std::move(onTick)] {
        if (tick) tick();
    });
    m_timers.emplace(id, timer);
    timer->start();
    return id;
}

void QtScheduler::stopTimer(TimerId id) {
    const auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    QTimer* timer = it->second;
    m_timers.erase(it);
    timer->stop();
    // The callback may be the one running now: the timer and the function it holds must outlive it.
    timer->deleteLater();
}

}  // namespace mca
