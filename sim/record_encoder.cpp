// Byte layout of the event and battery records.
#include "sim/record_encoder.h"

#include <algorithm>

namespace mca::sim {

namespace {
char byteOf(int value) { return static_cast<char>(static_cast<unsigned char>(value & 0xFF)); }
constexpr int kSync = 0xFF;
constexpr int kTenBits = 0x3FF;
constexpr int kTwelveBits = 0xFFF;
}  // namespace

void appendThreeByteRecord(std::string& out, int count, int channel) {
    const int n = std::clamp(count, 1, kMaxCountThreeByte);
    const int c = channel & kTwelveBits;
    out += byteOf(kSync);
    out += byteOf(n << 4 | c >> 8);
    out += byteOf(c);
}

void appendTwoByteRecord(std::string& out, int count, int channel) {
    const int n = std::clamp(count, 1, kMaxCountTwoByte);
    const int c = channel & kTwelveBits;
    out += byteOf(0x80 | (n - 1) << 5 | c >> 7);
    out += byteOf(c & 0x7F);
}

void appendBatteryRecord(std::string& out, int reading) {
    const int r = reading & kTenBits;
    out += byteOf(kSync);
    out += byteOf(r >> 8);
    out += byteOf(r);
}

void appendIdleBatteryReply(std::string& out, int reading) {
    const int r = reading & kTenBits;
    out += byteOf(r >> 8);
    out += byteOf(r);
}

}  // namespace mca::sim
