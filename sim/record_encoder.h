// The instrument's side of the event stream: the bytes of one event record in the three-byte and
// the two-byte format, and of a battery record. Written apart from any host decoder, so that a
// framing mistake cannot hide by being made twice.
#pragma once

#include <string>

namespace mca::sim {

inline constexpr int kMaxCountThreeByte = 15;
inline constexpr int kMaxCountTwoByte = 4;
inline constexpr int kThreeByteRecordSize = 3;
inline constexpr int kTwoByteRecordSize = 2;

// FF, n << 4 | channel bits 11..8, channel bits 7..0. `count` 1..15 (values outside are clamped),
// `channel` 0..4095 (masked). A count of 0 would read as a battery record below channel 0x400, so
// it is never sent.
void appendThreeByteRecord(std::string& out, int count, int channel);

// 1 (sync) | (n - 1) << 5 | channel bits 11..7, then 0 | channel bits 6..0. `count` 1..4 (clamped).
void appendTwoByteRecord(std::string& out, int count, int channel);

// FF, reading bits 9..8 (so byte 1 is below 4), reading bits 7..0. `reading` is masked to 10 bits.
void appendBatteryRecord(std::string& out, int reading);

// The idle reply to "B": the 10-bit reading as two bytes, high first.
void appendIdleBatteryReply(std::string& out, int reading);

}  // namespace mca::sim
