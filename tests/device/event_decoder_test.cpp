// Event stream decoding: the record formats, resynchronisation, errors, the credit cap and the
// carried tail; and a comparison with a plain reference decoder on corrupted streams.
#include "device/event_decoder.h"

#include "support/recording_port.h"

#include <gtest/gtest.h>

#include <random>

namespace mca {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s.push_back(static_cast<char>(v));
    return s;
}

struct DecodeCase {
    const char* name;
    std::string buffer;
    StreamFormat format;
    int cap;
    std::vector<std::pair<int, int>> channelCounts;   // channel, credited tick count
    std::int64_t records;
    std::int64_t pulses;
    int errors;
    std::size_t consumed;
    std::optional<int> battery;
};

class Decoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, Table) {
    const DecodeCase& c = GetParam();
    Spectrum s;
    const DecodeResult r = decodeEventStream(c.buffer, c.format, c.cap, s);
    std::int64_t credited = 0;
    for (const auto& [channel, count] : c.channelCounts) {
        EXPECT_EQ(s.tickCounts[static_cast<std::size_t>(channel)], count) << "channel " << channel;
        credited += count;
    }
    EXPECT_EQ(s.tickCredited, credited);
    EXPECT_EQ(s.totalCounts, credited);
    EXPECT_EQ(s.eventsDecoded, c.records);
    EXPECT_EQ(s.tickEvents, c.records);
    EXPECT_EQ(s.pulsesReported, c.pulses);
    EXPECT_EQ(r.errors, c.errors);
    EXPECT_EQ(r.consumed, c.consumed);
    EXPECT_EQ(r.batteryReading, c.battery);
}

const auto kThree = StreamFormat::ThreeByte;
const auto kTwo = StreamFormat::TwoByte;

INSTANTIATE_TEST_SUITE_P(
    Table, Decoding,
    ::testing::Values(
        DecodeCase{"TwoRecordsLastInBuffer", bytes({0xFF, 0x35, 0xA7, 0xFF, 0x12, 0x34}), kThree, 15,
                   {{1447, 3}, {564, 1}}, 2, 4, 0, 6, std::nullopt},
        DecodeCase{"BatteryRecord", bytes({0xFF, 0x01, 0xC0, 0xFF}), kThree, 15, {}, 0, 0, 0, 3, 448},
        DecodeCase{"LowBatteryStillDecoded", bytes({0xFF, 0x01, 0xA0}), kThree, 15, {}, 0, 0, 0, 3, 416},
        DecodeCase{"SevenBytesLeaveOne", bytes({0xFF, 0x15, 0x00, 0xFF, 0x15, 0x00, 0xFF}), kThree, 15, {{0x500, 2}},
                   2, 2, 0, 6, std::nullopt},
        DecodeCase{"EightBytesLeaveTwo", bytes({0xFF, 0x15, 0x00, 0xFF, 0x15, 0x00, 0xFF, 0x15}), kThree, 15,
                   {{0x500, 2}}, 2, 2, 0, 6, std::nullopt},
        DecodeCase{"CountZeroIsARecordCreditingNothing", bytes({0xFF, 0x05, 0x10}), kThree, 15, {{0x510, 0}}, 1, 0,
                   0, 3, std::nullopt},
        DecodeCase{"CapLimitsCredit", bytes({0xFF, 0x9A, 0xBC}), kThree, 1, {{0xABC, 1}}, 1, 9, 0, 3, std::nullopt},
        DecodeCase{"FirstTwoPositionsAreFree", bytes({0x12, 0x34, 0xFF, 0x15, 0x00}), kThree, 15, {{0x500, 1}}, 1, 1,
                   0, 5, std::nullopt},
        // Garbage after a record costs the record too: its following byte is not a sync.
        DecodeCase{"LaterRejectsCount", bytes({0xFF, 0x15, 0x00, 0x77, 0x66, 0xFF, 0x15, 0x01}), kThree, 15,
                   {{0x500, 0}, {0x501, 1}}, 1, 1, 3, 8, std::nullopt},
        DecodeCase{"SyncWithoutFollowingSyncIsRejected", bytes({0xFF, 0x15, 0x00, 0x00, 0xFF, 0x15, 0x02}), kThree,
                   15, {{0x502, 1}}, 1, 1, 2, 7, std::nullopt},
        DecodeCase{"TwoByteTopChannel", bytes({0x9F, 0x7F}), kTwo, 15, {{4095, 1}}, 1, 1, 0, 2, std::nullopt},
        DecodeCase{"TwoByteCountFour", bytes({0xE0, 0x05}), kTwo, 15, {{5, 4}}, 1, 4, 0, 2, std::nullopt},
        DecodeCase{"TwoByteRejectThenResume", bytes({0x80, 0x01, 0x7F, 0x80, 0x81}), kTwo, 15, {{1, 2}}, 2, 2, 1, 5,
                   std::nullopt},
        DecodeCase{"TwoByteOddLengthLeavesOne", bytes({0x80, 0x01, 0x80}), kTwo, 15, {{1, 1}}, 1, 1, 0, 2,
                   std::nullopt}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Decoding, DeadTimeCorrectionOffCreditsOnePerRecord) {
    Spectrum s;
    decodeEventStream(bytes({0xFF, 0x9A, 0xBC}), StreamFormat::ThreeByte, 1, s);
    EXPECT_EQ(s.tickCounts[0xABC], 1);
    EXPECT_EQ(s.pulsesReported, 9);
}

TEST(Decoding, EventLogGetsEveryChannel) {
    Spectrum s;
    std::vector<std::uint16_t> log;
    decodeEventStream(bytes({0xFF, 0x35, 0xA7, 0xFF, 0x12, 0x34}), StreamFormat::ThreeByte, 15, s, &log);
    EXPECT_EQ(log, (std::vector<std::uint16_t>{1447, 564}));
}

TEST(SessionInput, CarriesOnlyUnusedBytesAndKeepsBattery) {
    testing::RecordingPortProvider ports;
    auto record = ports.add(1);
    InstrumentSession s;
    s.port = ports.open(1, 115200);
    record->incoming = bytes({0xFF, 0x15, 0x00, 0xFF, 0x01, 0xC0, 0xFF, 0x15});
    decodeSessionInput(s, 15);
    EXPECT_EQ(s.rxCarry, bytes({0xFF, 0x15}));
    EXPECT_EQ(s.battery.raw, 448);
    EXPECT_NEAR(s.battery.volts, 5.25, 1e-12);
    record->incoming = bytes({0x07, 0xFF, 0x15, 0x00});   // the cut record completes
    decodeSessionInput(s, 15);
    EXPECT_EQ(s.spectrum.tickCounts[0x500], 2);
    EXPECT_EQ(s.spectrum.tickCounts[0x507], 1);
    EXPECT_EQ(s.errorCount, 0);
}

TEST(SessionInput, TwoByteStreamIsNeverCountedTwice) {
    testing::RecordingPortProvider ports;
    auto record = ports.add(1);
    InstrumentSession s;
    s.twoByteDecoding = true;
    s.port = ports.open(1, 115200);
    record->incoming = bytes({0x80, 0x01, 0x80, 0x02, 0x80, 0x03, 0x80, 0x04});   // 8 bytes
    decodeSessionInput(s, 15);
    decodeSessionInput(s, 15);   // nothing new arrived
    EXPECT_EQ(s.spectrum.eventsDecoded, 4);
    EXPECT_TRUE(s.rxCarry.empty());
}

TEST(SessionInput, LowStreamBatteryIsIgnored) {
    testing::RecordingPortProvider ports;
    auto record = ports.add(1);
    InstrumentSession s;
    s.port = ports.open(1, 115200);
    record->incoming = bytes({0xFF, 0x01, 0xA0});
    decodeSessionInput(s, 15);
    EXPECT_EQ(s.battery.raw, 0);
}

TEST(SessionInput, AFailingPortThrowsAndKeepsTheCarry) {
    testing::RecordingPortProvider ports;
    auto record = ports.add(1);
    InstrumentSession s;
    s.port = ports.open(1, 115200);
    s.rxCarry = bytes({0xFF});
    record->failing = true;
    EXPECT_THROW(decodeSessionInput(s, 15), SerialPortError);
    EXPECT_EQ(s.rxCarry, bytes({0xFF}));
}

TEST(TickFigures, DeadTimeAndSerialFactor) {
    Spectrum s;
    EXPECT_DOUBLE_EQ(tickDeadTimePercent(s), 0.0);
    EXPECT_DOUBLE_EQ(tickSerialFactor(s), 1.0);
    s.tickPulses = 400;
    s.tickEvents = 300;
    s.tickCredited = 390;
    EXPECT_DOUBLE_EQ(tickDeadTimePercent(s), 25.0);
    EXPECT_DOUBLE_EQ(tickSerialFactor(s), 1.3);
    EXPECT_EQ(deadTimeText(25.0, true), "Correcting for 25.00% dead time");
    EXPECT_EQ(deadTimeText(1.005, false), "Not Correcting for 1.00% dead time");
    s.tickCredited = 200;
    EXPECT_DOUBLE_EQ(tickSerialFactor(s), 1.0);
}

// The decoding rules written as plainly as possible, position by position, to compare with.
struct Reference {
    std::array<std::int64_t, kMaxChannels> counts{};
    std::int64_t records = 0, pulses = 0;
    int errors = 0;
    std::size_t consumed = 0;

    void decode(const std::string& buf, StreamFormat format, int cap) {
        const auto at = [&](std::size_t p) { return static_cast<int>(static_cast<unsigned char>(buf[p - 1])); };
        const std::size_t length = buf.size();
        std::size_t p = 1;
        const std::size_t width = format == StreamFormat::ThreeByte ? 3 : 2;
        while (p + width - 1 <= length) {
            bool accept;
            int n = 0, channel = 0;
            if (format == StreamFormat::ThreeByte) {
                const int b3 = p + 3 <= length ? at(p + 3) : 0xFF;
                accept = at(p) == 0xFF && b3 == 0xFF;
                n = at(p + 1) / 16;
                channel = (at(p + 1) % 16) * 256 + at(p + 2);
                if (accept && at(p + 1) < 4) n = -1;   // battery
            } else {
                accept = !(at(p) < 128 && at(p + 1) >= 128);
                n = (at(p) / 32) % 4 + 1;
                channel = (at(p) % 32) * 128 + at(p + 1) % 128;
            }
            if (!accept) {
                if (p > 2) ++errors;
                ++p;
                continue;
            }
            if (n >= 0) {
                ++records;
                pulses += n;
                counts[static_cast<std::size_t>(channel)] += std::min(n, cap);
            }
            p += width;
        }
        consumed = p - 1;
    }
};

std::string corruptedStream(std::mt19937& rng, StreamFormat format) {
    std::uniform_int_distribution<int> byte(0, 255), channel(0, 4095), count(1, 15), chance(0, 99);
    std::string s;
    const int records = std::uniform_int_distribution<int>(0, 400)(rng);
    for (int i = 0; i < records; ++i) {
        const int c = channel(rng);
        if (format == StreamFormat::ThreeByte) {
            const int b1 = chance(rng) < 3 ? byte(rng) % 4 : (count(rng) << 4) | (c >> 8);
            s += bytes({0xFF, b1, c & 0xFF});
        } else {
            s += bytes({0x80 | ((count(rng) % 4) << 5) | (c >> 7), c & 0x7F});
        }
        const int r = chance(rng);
        if (r < 3 && !s.empty()) s.pop_back();                    // a lost byte
        else if (r < 6) s.push_back(static_cast<char>(byte(rng)));   // a stray byte
        else if (r < 8 && !s.empty()) s.back() = static_cast<char>(byte(rng));   // a changed byte
    }
    return s;
}

TEST(Decoding, AgreesWithThePlainRulesOnCorruptedStreams) {
    std::mt19937 rng(20261211);
    for (int round = 0; round < 2000; ++round) {
        const StreamFormat format = round % 2 ? StreamFormat::TwoByte : StreamFormat::ThreeByte;
        const int cap = round % 3 == 0 ? 1 : 15;
        const std::string stream = corruptedStream(rng, format);
        Spectrum s;
        const DecodeResult r = decodeEventStream(stream, format, cap, s);
        Reference ref;
        ref.decode(stream, format, cap);
        ASSERT_EQ(r.errors, ref.errors) << "round " << round;
        ASSERT_EQ(r.consumed, ref.consumed) << "round " << round;
        ASSERT_EQ(s.eventsDecoded, ref.records) << "round " << round;
        ASSERT_EQ(s.pulsesReported, ref.pulses) << "round " << round;
        for (std::size_t i = 0; i < kMaxChannels; ++i) ASSERT_EQ(s.tickCounts[i], ref.counts[i]) << "round " << round;
    }
}

}  // namespace
}  // namespace mca
