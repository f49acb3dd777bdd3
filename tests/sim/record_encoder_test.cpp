// The record bytes, checked byte for byte against the framing the host decodes: three-byte and
// two-byte event records, battery records in the stream and the idle battery reply.
#include "sim/record_encoder.h"

#include <gtest/gtest.h>

#include <string>

namespace mca::sim {
namespace {

struct RecordCase {
    const char* name;
    void (*append)(std::string&, int, int);
    int count;
    int channel;
    std::string bytes;
};

const RecordCase kRecordCases[] = {
    {"three-byte count 3 channel 0x5A7", appendThreeByteRecord, 3, 0x5A7, "\xFF\x35\xA7"},
    {"three-byte count 1 channel 0x234", appendThreeByteRecord, 1, 0x234, "\xFF\x12\x34"},
    {"three-byte channel 0 keeps byte 1 above the battery range", appendThreeByteRecord, 1, 0,
     std::string("\xFF\x10\x00", 3)},
    {"three-byte largest count and channel", appendThreeByteRecord, 15, 4095, "\xFF\xFF\xFF"},
    {"three-byte count above 15 is sent as 15", appendThreeByteRecord, 20, 1, std::string("\xFF\xF0\x01", 3)},
    {"three-byte count 0 is sent as 1", appendThreeByteRecord, 0, 0x100, std::string("\xFF\x11\x00", 3)},
    {"two-byte count 1 channel 4095", appendTwoByteRecord, 1, 4095, "\x9F\x7F"},
    {"two-byte count 4 channel 0", appendTwoByteRecord, 4, 0, std::string("\xE0\x00", 2)},
    {"two-byte count 2 channel 0x123", appendTwoByteRecord, 2, 0x123, "\xA2\x23"},
    {"two-byte count above 4 is sent as 4", appendTwoByteRecord, 9, 0x7F, "\xE0\x7F"},
    {"two-byte channel bit 7 goes to the first byte", appendTwoByteRecord, 1, 0x80, std::string("\x81\x00", 2)},
};

TEST(RecordEncoder, EventRecordsByteForByte) {
    for (const auto& c : kRecordCases) {
        std::string out = "x";  // appends, never replaces
        c.append(out, c.count, c.channel);
        EXPECT_EQ(out, "x" + c.bytes) << c.name;
    }
}

struct BatteryCase {
    const char* name;
    int reading;
    std::string record;
    std::string idleReply;
};

const BatteryCase kBatteryCases[] = {
    {"5.25 V", 448, "\xFF\x01\xC0", "\x01\xC0"},
    {"9 V battery", 768, std::string("\xFF\x03\x00", 3), std::string("\x03\x00", 2)},
    {"largest reading", 1023, "\xFF\x03\xFF", "\x03\xFF"},
    {"eleven bits are cut to ten", 0x7FF, "\xFF\x03\xFF", "\x03\xFF"},
};

TEST(RecordEncoder, BatteryRecordAndIdleReply) {
    for (const auto& c : kBatteryCases) {
        std::string record;
        appendBatteryRecord(record, c.reading);
        EXPECT_EQ(record, c.record) << c.name;
        EXPECT_LT(static_cast<unsigned char>(record[1]), 4) << c.name;
        std::string reply;
        appendIdleBatteryReply(reply, c.reading);
        EXPECT_EQ(reply, c.idleReply) << c.name;
    }
}

}  // namespace
}  // namespace mca::sim
