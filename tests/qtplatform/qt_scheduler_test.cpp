// Periodic timers on the event loop: they tick until stopped, a callback may stop its own timer
// or another, and unknown ids are ignored.
#include "platform/qt_scheduler.h"

#include "platform/qt_waiter.h"
#include "qtsupport/qt_test_application.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

class QtSchedulerTest : public ::testing::Test {
protected:
    QtSchedulerTest() { qtTestApplication(); }
    QtScheduler scheduler;
    QtWaiter waiter;
};

TEST_F(QtSchedulerTest, TicksUntilStopped) {
    int ticks = 0;
    const TimerId id = scheduler.startTimer(10, [&ticks] { ++ticks; });
    waiter.pause(120);
    EXPECT_GE(ticks, 4);
    scheduler.stopTimer(id);
    const int atStop = ticks;
    waiter.pause(60);
    EXPECT_EQ(ticks, atStop);
    EXPECT_EQ(scheduler.activeTimers(), 0);
}

TEST_F(QtSchedulerTest, TimersHaveTheirOwnIdsAndStopAlone) {
    int a = 0;
    int b = 0;
    const TimerId first = scheduler.startTimer(10, [&a] { ++a; });
    const TimerId second = scheduler.startTimer(10, [&b] { ++b; });
    EXPECT_NE(first, second);
    scheduler.stopTimer(first);
    waiter.pause(80);
    EXPECT_EQ(a, 0);
    EXPECT_GE(b, 2);
    scheduler.stopTimer(second);
}

TEST_F(QtSchedulerTest, CallbackMayStopItsOwnTimerAndAnother) {
    int selfTicks = 0;
    int otherTicks = 0;
    TimerId self = 0;
    const TimerId other = scheduler.startTimer(5, [&otherTicks] { ++otherTicks; });
    self = scheduler.startTimer(20, [&] {
        ++selfTicks;
        scheduler.stopTimer(self);
        scheduler.stopTimer(other);
        scheduler.stopTimer(self);  // twice: already stopped
    });
    waiter.pause(120);
    EXPECT_EQ(selfTicks, 1);
    const int otherAtStop = otherTicks;
    waiter.pause(40);
    EXPECT_EQ(otherTicks, otherAtStop);
    EXPECT_EQ(scheduler.activeTimers(), 0);
}

TEST_F(QtSchedulerTest, UnknownIdsAreIgnored) {
    scheduler.stopTimer(0);
    scheduler.stopTimer(12345);
    EXPECT_EQ(scheduler.activeTimers(), 0);
}

}  // namespace
}  // namespace mca
