// Pauses on the event loop: timers keep firing during a pause, nested pauses each keep their own
// time, and nothing waits for ever.
#include "platform/qt_waiter.h"

#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

namespace mca {
namespace {

TEST(QtWaiter, TimersFireWhilePausing) {
    qtTestApplication();
    QtWaiter waiter;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QElapsedTimer clock;
    clock.start();
    waiter.pause(200);
    EXPECT_GE(clock.elapsed(), 195);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_GE(ticks, 5);
}

TEST(QtWaiter, NestedPausesEachLastTheirOwnTime) {
    qtTestApplication();
    QtWaiter waiter;
    qint64 innerMilliseconds = -1;
    // The inner pause starts 20 ms into the outer one and outlasts it.
    QTimer::singleShot(20, [&] {
        QElapsedTimer inner;
        inner.start();
        waiter.pause(150);
        innerMilliseconds = inner.elapsed();
    });
    QElapsedTimer outer;
    outer.start();
    waiter.pause(50);
    EXPECT_GE(innerMilliseconds, 145);
    EXPECT_GE(outer.elapsed(), 165);
    EXPECT_LT(outer.elapsed(), 2000);
}

TEST(QtWaiter, ZeroOrLessReturnsAtOnce) {
    qtTestApplication();
    QtWaiter waiter;
    QElapsedTimer clock;
    clock.start();
    waiter.pause(0);
    waiter.pause(-10);
    EXPECT_LT(clock.elapsed(), 50);
}

}  // namespace
}  // namespace mca
