// The virtual clock the engine tests rely on: pauses run the timers that fall due, in time order.
#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <utility>

namespace mca {
namespace {

TEST(VirtualClock, PauseAdvancesTimeAndCalendar) {
    testing::VirtualClock clock(DateTime{2026, 12, 31, 23, 59, 59, 500});
    clock.pause(600);
    EXPECT_EQ(clock.steadyMilliseconds(), 600);
    EXPECT_EQ(clock.now(), (DateTime{2027, 1, 1, 0, 0, 0, 100}));
}

TEST(VirtualClock, TimersFireInTimeOrderDuringAPause) {
    testing::VirtualClock clock;
    std::vector<std::string> fired;
    clock.startTimer(1000, [&] { fired.push_back("tick@" + std::to_string(clock.steadyMilliseconds())); });
    clock.startTimer(30000, [&] { fired.push_back("battery@" + std::to_string(clock.steadyMilliseconds())); });
    clock.pause(2500);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick@1000", "tick@2000"}));
    clock.advance(28000);
    EXPECT_EQ(fired.size(), 2u + 28u + 1u);
    EXPECT_EQ(clock.steadyMilliseconds(), 30500);
}

TEST(VirtualClock, ATimerMayStopItselfAndPausesAreRecorded) {
    testing::VirtualClock clock;
    int count = 0;
    TimerId id = 0;
    id = clock.startTimer(10, [&] {
        if (++count == 3) clock.stopTimer(id);
    });
    clock.pause(100);
    clock.pause(50);
    EXPECT_EQ(count, 3);
    EXPECT_FALSE(clock.timerRunning(id));
    EXPECT_EQ(clock.pauses(), (std::vector<int>{100, 50}));
    EXPECT_EQ(clock.totalPausedMs(), 150);
}

}  // namespace
}  // namespace mca

namespace mca {
namespace {

TEST(VirtualClock, APauseInsideATimerIsNotUndoneByTheOuterPause) {
    testing::VirtualClock clock;
    bool once = false;
    clock.startTimer(1000, [&] {
        if (!std::exchange(once, true)) clock.pause(4000);
    });
    clock.advance(1000);
    EXPECT_EQ(clock.steadyMilliseconds(), 5000);
}

}  // namespace
}  // namespace mca
