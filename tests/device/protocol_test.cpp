// The host side of the serial protocol: argument encodings, and the bytes and pauses of each
// command as the instrument receives them.
#include "device/protocol.h"

#include "support/recording_port.h"
#include "support/virtual_clock.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

TEST(HighVoltageCode, RoundsHalvesToEvenAndClamps) {
    struct Case {
        double volts;
        int unit;
        int code;
    };
    const Case cases[] = {
        {1000, 2000, 8192},    // 8191.5 goes to the even neighbour
        {2000, 2000, 16383},
        {1999.9, 2000, 16382},  // 16382.18
        {1999.95, 2000, 16383}, // 16382.59 rounds to 16383
        {3000, 2000, 16383},   // beyond full scale
        {0, 2000, 0},
        {-50, 2000, 0},
        {500, 1000, 8192},
        {850, 2000, 6963},     // 6962.775
    };
    for (const Case& c : cases) EXPECT_EQ(highVoltageCode(c.volts, c.unit), c.code) << c.volts;
}

TEST(HighVoltageBytes, LeftJustifiedHighByteFirst) {
    EXPECT_EQ(highVoltageBytes(8192), (std::array<std::uint8_t, 2>{0x80, 0x00}));
    EXPECT_EQ(highVoltageBytes(16383), (std::array<std::uint8_t, 2>{0xFF, 0xFC}));
    EXPECT_EQ(highVoltageBytes(1), (std::array<std::uint8_t, 2>{0x00, 0x04}));
}

TEST(ThresholdOffsetBytes, PackTwelveBitValues) {
    EXPECT_EQ(thresholdOffsetBytes(20, 40), (std::array<std::uint8_t, 3>{0x02, 0x80, 0x50}));
    EXPECT_EQ(thresholdOffsetBytes(2047, 2047), (std::array<std::uint8_t, 3>{0xFF, 0xEF, 0xFE}));
    EXPECT_EQ(thresholdOffsetBytes(0, 0), (std::array<std::uint8_t, 3>{0x00, 0x00, 0x00}));
}

class SenderTest : public ::testing::Test {
protected:
    SenderTest() : record(ports.add(1)), port(ports.open(1, kInstrumentBaud)) {}
    Link link(bool network = false) { return Link{*port, clock, network}; }

    testing::RecordingPortProvider ports;
    std::shared_ptr<testing::PortRecord> record;
    std::unique_ptr<SerialPort> port;
    testing::VirtualClock clock;
};

struct SenderCase {
    const char* name;
    std::function<void(const Link&)> send;
    bool network;
    std::string bytes;
    std::vector<int> pauses;
};

class Senders : public SenderTest, public ::testing::WithParamInterface<SenderCase> {};

TEST_P(Senders, WriteTheseBytesWithThesePauses) {
    GetParam().send(link(GetParam().network));
    EXPECT_EQ(record->written, GetParam().bytes);
    EXPECT_EQ(clock.pauses(), GetParam().pauses);
}

using B = std::string;
INSTANTIATE_TEST_SUITE_P(
    Table, Senders,
    ::testing::Values(
        SenderCase{"HighVoltage", [](const Link& l) { sendHighVoltage(l, 1000, 2000); }, false, B("V\x80\x00", 3),
                   {70, 70, 70, 70, 70, 70, 70, 70, 500, 100, 100}},
        SenderCase{"Threshold", [](const Link& l) { sendThresholdOffset(l, 20, 40); }, false, B("T\x02\x80\x50"),
                   {100, 100, 100, 100}},
        SenderCase{"ThresholdNetwork", [](const Link& l) { sendThresholdOffset(l, 20, 40); }, true,
                   B("T\x02\x80\x50"), {250, 100, 100, 100}},
        SenderCase{"CoarseGain", [](const Link& l) { sendCoarseGain(l, 3); }, false, "C3", {100, 50, 50, 50, 50, 50, 50}},
        SenderCase{"FineGain", [](const Link& l) { sendFineGain(l, 85); }, false, "FU", {100, 100}},
        SenderCase{"FineGainNetwork", [](const Link& l) { sendFineGain(l, 0); }, true, B("F\x00", 2), {250, 100}},
        SenderCase{"Input", [](const Link& l) { sendInput(l, 4); }, true, "I4", {100, 50, 50, 50, 50, 50, 50}},
        SenderCase{"Shaping", [](const Link& l) { sendShapingTime(l, 8); }, false, "S8", {100, 200}},
        SenderCase{"Mode", [](const Link& l) { sendResolutionMode(l, ResolutionMode::Channels256); }, false, "M5", {500}},
        SenderCase{"Smoothing", [](const Link& l) { sendAdcSmoothing(l, 2); }, false, "X2", {5, 1}},
        SenderCase{"SmoothingNetwork", [](const Link& l) { sendAdcSmoothing(l, 2); }, true, "X2", {205, 1}},
        SenderCase{"AlarmOutputs",
                   [](const Link& l) {
                       sendAlarmOutput(l, 0, true);
                       sendAlarmOutput(l, 0, false);
                       sendAlarmOutput(l, 1, true);
                       sendAlarmOutput(l, 1, false);
                   },
                   false, "ZzWw", {}},
        SenderCase{"AlarmOutputNetwork", [](const Link& l) { sendAlarmOutput(l, 1, false); }, true, "w", {250}},
        SenderCase{"TwoByte",
                   [](const Link& l) {
                       sendTwoByteStream(l, true);
                       sendTwoByteStream(l, false);
                   },
                   false, "()", {}},
        SenderCase{"SerialNumber", [](const Link& l) { sendSerialNumber(l, "212345"); }, false, "#212345", {500}},
        SenderCase{"HvUnit", [](const Link& l) { sendHvUnit(l, 2000); }, false, B("1\x07\xD0"), {50, 100, 100}},
        SenderCase{"Polarity", [](const Link& l) { sendHvPolarity(l, true); }, false, "-", {}},
        SenderCase{"NetworkClearAndQuery",
                   [](const Link& l) {
                       sendNetworkClear(l);
                       sendNetworkQuery(l);
                   },
                   true, "YQ", {500}},
        SenderCase{"StartStop",
                   [](const Link& l) {
                       sendStart(l);
                       sendStop(l);
                       sendPrepareHighVoltageOff(l);
                   },
                   false, "GRp", {}},
        SenderCase{"SlowBaud", [](const Link& l) { switchToNormalBaud(l); }, false, "L", {250}}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SenderTest, CoarseGainPurgesFirst) {
    record->incoming = "junk";
    sendCoarseGain(link(), 1);
    EXPECT_EQ(record->purges, 1);
}

TEST_F(SenderTest, TwoByteSwitchSetsTheDecodingToo) {
    InstrumentSession s;
    s.port = std::move(port);
    s.rxCarry = "\xFF";
    setTwoByteStream(s, clock, true);
    EXPECT_TRUE(s.twoByteDecoding);
    EXPECT_TRUE(s.rxCarry.empty());
    setTwoByteStream(s, clock, false);
    EXPECT_FALSE(s.twoByteDecoding);
    EXPECT_EQ(record->written, "()");
}

TEST_F(SenderTest, FastBaudSwitchSendsHAtTheOldSpeed) {
    EXPECT_TRUE(switchToFastBaud(link()));
    EXPECT_EQ(record->written, "H");
    EXPECT_EQ(record->baud, kFastBaud);
}

TEST_F(SenderTest, IdleBatteryReadsTwoBytesHighFirst) {
    // An instrument answers "B" after the purge, so the reply is queued by the write.
    struct AnsweringPort : SerialPort {
        std::string reply;
        std::string queued;
        void write(const std::string& b) override {
            if (b == "B") queued = reply;
        }
        std::string readAll() override { return std::exchange(queued, {}); }
        int queuedCount() override { return static_cast<int>(queued.size()); }
        void purge() override { queued.clear(); }
        void setBaudRate(int) override {}
        int comNumber() const override { return 1; }
    } answering;
    answering.reply = std::string("\x02\xFF", 2);
    EXPECT_EQ(readIdleBattery(Link{answering, clock, false}), 0x2FF);
    EXPECT_EQ(clock.pauses(), std::vector<int>{100});
    answering.reply = "\x01";
    EXPECT_EQ(readIdleBattery(Link{answering, clock, false}), std::nullopt);
    EXPECT_NEAR(batteryVolts(448), 5.25, 1e-12);
}

}  // namespace
}  // namespace mca
