// The question-and-answer loops of opening an instrument, against replies that arrive at chosen
// moments of virtual time: split replies, stray bytes, silence and the bounds.
#include "device/instrument_identity.h"

#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace mca {
namespace {

struct Delivery {
    std::int64_t atMs;
    std::string bytes;
};

// A port whose replies arrive at set times, whatever is written to it.
class TimedPort : public SerialPort {
public:
    TimedPort(const Clock& clock, std::vector<Delivery> deliveries)
        : m_clock(clock), m_pending(std::move(deliveries)) {}

    void write(const std::string& bytes) override { written += bytes; }
    std::string readAll() override {
        std::string due;
        std::erase_if(m_pending, [&](const Delivery& d) {
            if (d.atMs > m_clock.steadyMilliseconds()) return false;
            due += d.bytes;
            return true;
        });
        return due;
    }
    int queuedCount() override {
        int count = 0;
        for (const Delivery& d : m_pending) {
            if (d.atMs <= m_clock.steadyMilliseconds()) count += static_cast<int>(d.bytes.size());
        }
        return count;
    }
    void purge() override { readAll(); }
    void setBaudRate(int) override {}
    int comNumber() const override { return 1; }

    std::string written;

private:
    const Clock& m_clock;
    std::vector<Delivery> m_pending;
};

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class DiscoveryIdentityTest : public ::testing::Test {
protected:
    TimedPort& port(std::vector<Delivery> deliveries) {
        m_port = std::make_unique<TimedPort>(clock, std::move(deliveries));
        return *m_port;
    }
    Link link(bool networkMode = false) { return Link{*m_port, clock, networkMode}; }

    testing::VirtualClock clock;

private:
    std::unique_ptr<TimedPort> m_port;
};

struct SerialCase {
    const char* name;
    std::vector<Delivery> deliveries;
    int roundPauses;
    std::optional<std::string> serial;
    std::int64_t elapsedMs;
};

class DiscoveryIdentitySerial : public DiscoveryIdentityTest, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(DiscoveryIdentitySerial, ReadsTheSerialNumberWithinTheBound) {
    const SerialCase& c = GetParam();
    const TimedPort& p = port(c.deliveries);
    EXPECT_EQ(readSerialNumber(link(), c.roundPauses), c.serial);
    EXPECT_EQ(p.written, "@");
    EXPECT_EQ(clock.steadyMilliseconds(), c.elapsedMs);
}

INSTANTIATE_TEST_SUITE_P(
    DiscoveryIdentity, DiscoveryIdentitySerial,
    ::testing::Values(
        SerialCase{"Whole", {{150, "210042"}}, 2, "210042", 200},
        SerialCase{"SplitOverRounds", {{150, "210"}, {350, "042"}}, 2, "210042", 400},
        SerialCase{"SplitOverRoundsOfTheSecondInstrument", {{50, "21"}, {150, "0042"}}, 1, "210042", 200},
        SerialCase{"StrayByteBefore", {{50, std::string(1, '\0')}, {250, "210042"}}, 2, "210042", 400},
        SerialCase{"LongerThanSix", {{10, "2100421"}}, 2, "2100421", 200},
        SerialCase{"NeverASerialNumber", {{100, "VORA2"}}, 2, std::nullopt, kReplyPatienceMs},
        SerialCase{"Silent", {}, 2, std::nullopt, kReplyPatienceMs},
        SerialCase{"SilentSecondInstrument", {}, 1, std::nullopt, kReplyPatienceMs}),
    caseName<SerialCase>);

TEST_F(DiscoveryIdentityTest, FirmwareThrowsAwayWhatWasQueuedAndWaitsForTheReply) {
    TimedPort& p = port({{0, "junk"}, {350, "1.08"}});
    EXPECT_EQ(readFirmwareText(link()), "1.08");
    EXPECT_EQ(p.written, "f");
    EXPECT_EQ(clock.steadyMilliseconds(), 401);   // 1 ms, then two rounds of 2 x 100 ms
}

TEST_F(DiscoveryIdentityTest, SilentFirmwareEndsAfterTwentyFiveRounds) {
    port({});
    EXPECT_EQ(readFirmwareText(link()), std::nullopt);
    EXPECT_EQ(clock.steadyMilliseconds(), 1 + 25 * 200);
    port({});
    EXPECT_EQ(readFirmwareText(link(true)), std::nullopt);
    EXPECT_EQ(clock.steadyMilliseconds(), 2 * (1 + 25 * 200) + 25 * 400);
}

struct RevisionCase {
    const char* name;
    const char* text;
    std::optional<double> revision;
};

class DiscoveryIdentityRevision : public ::testing::TestWithParam<RevisionCase> {};

TEST_P(DiscoveryIdentityRevision, ReadsTheTextAsANumber) {
    EXPECT_EQ(firmwareRevisionOf(GetParam().text), GetParam().revision);
}

INSTANTIATE_TEST_SUITE_P(DiscoveryIdentity, DiscoveryIdentityRevision,
                         ::testing::Values(RevisionCase{"Plain", "1.08", 1.08},
                                           RevisionCase{"WithLineEnd", " 1.07\r\n", 1.07},
                                           RevisionCase{"Whole", "2", 2.0},
                                           RevisionCase{"Letters", "1.0x", std::nullopt},
                                           RevisionCase{"Word", "VORA2", std::nullopt},
                                           RevisionCase{"Blank", " \r\n", std::nullopt}),
                         caseName<RevisionCase>);

TEST(DiscoveryIdentityRule, AsksPolarityAndHvUnitFrom108OutsideNetworkMode) {
    EXPECT_FALSE(asksPolarityAndHvUnit(1.07, false));
    EXPECT_TRUE(asksPolarityAndHvUnit(1.08, false));
    EXPECT_TRUE(asksPolarityAndHvUnit(1.2, false));
    EXPECT_FALSE(asksPolarityAndHvUnit(1.08, true));
}

TEST_F(DiscoveryIdentityTest, PolarityLooksAtEveryByteThatCame) {
    TimedPort& p = port({{150, "x-"}});
    EXPECT_TRUE(readNegativePolarity(link()));
    EXPECT_EQ(p.written, "%2");
    port({{150, "+"}});
    EXPECT_FALSE(readNegativePolarity(link()));
}

TEST_F(DiscoveryIdentityTest, SilentPolarityIsPositiveAfterFifteenTries) {
    port({});
    EXPECT_FALSE(readNegativePolarity(link()));
    EXPECT_EQ(clock.steadyMilliseconds(), 100 + 15 * 100);
}

TEST_F(DiscoveryIdentityTest, HvUnitWaitsForBothBytes) {
    TimedPort& p = port({{120, "\x05"}, {170, "\xDC"}});
    EXPECT_EQ(readHvUnit(link()), 1500);
    EXPECT_EQ(p.written, "2");
}

TEST_F(DiscoveryIdentityTest, HvUnitIs2000AfterFifteenZeroReadings) {
    port({{110, std::string(30, '\0')}});
    EXPECT_EQ(readHvUnit(link()), 2000);
    EXPECT_EQ(clock.steadyMilliseconds(), 100 + 15 * 50);
}

TEST_F(DiscoveryIdentityTest, OpeningBatteryReadsTheFirstReadingThatIsNotZero) {
    TimedPort& p = port({{120, std::string(2, '\0')}, {220, "\x03"}, {260, std::string(1, '\0')}});
    EXPECT_EQ(readOpeningBattery(link(), 50), 768);
    EXPECT_EQ(p.written, "B");
}

TEST_F(DiscoveryIdentityTest, SilentBatteryGivesNoReadingAfterTwentyOneTries) {
    port({});
    EXPECT_EQ(readOpeningBattery(link(), 50), std::nullopt);
    EXPECT_EQ(clock.steadyMilliseconds(), 100 + 21 * 50);
}

TEST(DiscoveryIdentityStatus, SerialTextMarksANegativeSupply) {
    InstrumentSession s;
    s.serialNumber = "212345";
    EXPECT_EQ(serialStatusText(s), "212345");
    s.hvNegative = true;
    EXPECT_EQ(serialStatusText(s), "212345N");
}

}  // namespace
}  // namespace mca
