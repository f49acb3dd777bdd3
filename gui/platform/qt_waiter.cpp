// Pauses that keep the event loop running.
#include "qt_waiter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <thread>

namespace mca {

void QtWaiter::pause(int milliseconds) {
    if (milliseconds <= 0) return;
    if (!QCoreApplication::instance()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    // Each pause has its own loop and its own timer, so a pause started from a timer inside
    // another pause ends on its own time; the outer one ends once the inner one has returned.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}

}  // namespace mca
