// Decoding of the instrument's event stream into a spectrum's tick counts.
//
// Three-byte records: 0xFF; count n (bits 7-4) and channel bits 11-8; channel bits 7-0. A record
// whose second byte is below 4 is a battery record carrying a 10-bit reading. A record is taken
// only when the byte after it is 0xFF too (or the buffer ends), so the decoder finds its way back
// after lost bytes; each byte position it has to skip counts as an error, except the first two of
// a buffer, where a record cut at the previous buffer's end may leave its tail.
// Two-byte records (MCA 1 on request): 1, n-1 (2 bits), channel bits 11-7; 0, channel bits 6-0.
#pragma once

#include "core/instrument_session.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mca {

enum class StreamFormat { ThreeByte, TwoByte };

struct DecodeResult {
    std::size_t consumed = 0;              // bytes used; the rest is carried to the next buffer
    int errors = 0;                        // byte positions rejected
    std::optional<int> batteryReading;     // the last battery record of the buffer
};

// Decodes `buffer` into the tick counters of `spectrum`: eventsDecoded, tickEvents and
// tickPulses grow by one per record and pulsesReported by n; each record credits min(n,
// creditCap) to totalCounts, tickCredited and tickCounts[channel]. With `eventLog`, every
// record's channel is appended to it. Allocates nothing but the log's growth.
DecodeResult decodeEventStream(std::string_view buffer, StreamFormat format, int creditCap, Spectrum& spectrum,
                               std::vector<std::uint16_t>* eventLog = nullptr);

// Battery readings above this are real; lower ones come from a battery record that lost its way.
inline constexpr int kMinStreamBatteryReading = 426;

// One tick's input of one instrument: rxCarry + everything queued on its port, decoded; the bytes
// not consumed (at most two) become rxCarry again, errors go to the session's count, and a battery
// reading above 426 becomes the session's battery. Throws SerialPortError when the port fails;
// the session's carry is then left as it was.
DecodeResult decodeSessionInput(InstrumentSession& session, int creditCap,
                                std::vector<std::uint16_t>* eventLog = nullptr);

// Dead time of the tick in percent: (pulses - records) x 100 / pulses; 0 without pulses.
double tickDeadTimePercent(const Spectrum& spectrum);
// "Correcting for 1.25% dead time" or "Not Correcting for 1.25% dead time".
std::string deadTimeText(double percent, bool correcting);
// Credited counts per record in the tick; 1 when no record came or the ratio is below 1.
double tickSerialFactor(const Spectrum& spectrum);

}  // namespace mca
