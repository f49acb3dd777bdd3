// The high-voltage ramp: its message, the four-second countdown in virtual time, closing itself,
// and the previous HV of each instrument.
#include "device/hv_ramp.h"

#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mca {
namespace {

TEST(HvRampMessage, NamesTheChangeAndItsDirection) {
    struct Case {
        const char* name;
        double previous;
        double next;
        std::string message;
    };
    const Case cases[] = {
        {"up", 500, 1200,
         "Changing high voltage from 500V to 1200V. This will take approximately 4 seconds to complete."},
        {"down", 1200, 500,
         "Changing high voltage from 1200V down to 500V. This will take approximately 4 seconds to complete."},
        {"unchanged", 800, 800,
         "Changing high voltage from 800V to 800V. This will take approximately 4 seconds to complete."},
        {"from zero", 0, 1000,
         "Changing high voltage from 0V to 1000V. This will take approximately 4 seconds to complete."},
        {"previous to four digits", 1234.56, 812.5,
         "Changing high voltage from 1235V down to 812.5V. This will take approximately 4 seconds to complete."},
    };
    for (const Case& c : cases) EXPECT_EQ(hvRampMessage(c.previous, c.next), c.message) << c.name;
}

struct Seen {
    std::int64_t atMs;
    HvRampWindow window;
};

class HvRampTest : public ::testing::Test {
protected:
    HvRampTest() {
        ramp.setObserver([this](const HvRampWindow& w) { seen.push_back({clock.steadyMilliseconds(), w}); });
    }

    testing::VirtualClock clock;
    HvRamp ramp{clock, clock};
    std::vector<Seen> seen;
};

TEST_F(HvRampTest, CountsFourSecondsDownThenCompletesAndClosesItself) {
    ramp.setPreviousVoltage(1, 500);
    ramp.run(1, 1200);

    struct Expected {
        std::int64_t atMs;
        bool open;
        int progress;
        std::string countdown;
    };
    const Expected expected[] = {
        {0, true, 0, ""},
        {1000, true, 1, "3 seconds to go"},
        {2000, true, 2, "2 seconds to go"},
        {3000, true, 3, "1 seconds to go"},
        {4000, true, 4, "0 seconds to go"},
        {5000, true, 4, "COMPLETE!"},
        {6000, false, 4, "COMPLETE!"},
    };
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].atMs, expected[i].atMs) << i;
        EXPECT_EQ(seen[i].window.open, expected[i].open) << i;
        EXPECT_EQ(seen[i].window.progress, expected[i].progress) << i;
        EXPECT_EQ(seen[i].window.countdown, expected[i].countdown) << i;
    }
    EXPECT_EQ(seen.front().window.message,
              "Changing high voltage from 500V to 1200V. This will take approximately 4 seconds to complete.");
    EXPECT_TRUE(ramp.window().done);
    EXPECT_EQ(clock.steadyMilliseconds(), 6000);
}

TEST_F(HvRampTest, PreviousVoltageIsKeptPerInstrumentAndChangesOnlyOnceClosed) {
    for (int n = 1; n <= kInstrumentCount; ++n) EXPECT_EQ(ramp.previousVoltage(n), 0.0) << n;

    double previousWhenClosing = -1;
    ramp.setObserver([&](const HvRampWindow& w) {
        if (!w.open) previousWhenClosing = ramp.previousVoltage(2);
    });
    ramp.run(2, 900);
    EXPECT_EQ(previousWhenClosing, 0.0);
    EXPECT_EQ(ramp.previousVoltage(2), 900.0);
    EXPECT_EQ(ramp.previousVoltage(1), 0.0);

    ramp.run(2, 700);
    EXPECT_EQ(ramp.window().message,
              "Changing high voltage from 900V down to 700V. This will take approximately 4 seconds to complete.");

    // A detector change leaves MCA 1 at 0 V.
    ramp.setPreviousVoltage(1, 0);
    ramp.run(1, 650);
    EXPECT_EQ(ramp.window().message.rfind("Changing high voltage from 0V to 650V.", 0), 0u);
    EXPECT_THROW(ramp.run(5, 100), std::out_of_range);
}

}  // namespace
}  // namespace mca
