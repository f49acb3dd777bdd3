// Fuzzes the event-stream decoder in both formats: any bytes must decode without fault, channels
// stay in range, at most two bytes are carried, and the counters agree with each other.
#include "device/event_decoder.h"

#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string_view>

namespace {

void check(std::string_view bytes, mca::StreamFormat format, int cap) {
    mca::Spectrum s;
    const mca::DecodeResult r = mca::decodeEventStream(bytes, format, cap, s);
    if (r.consumed > bytes.size() || bytes.size() - r.consumed > 2) std::abort();
    const std::int64_t sum = std::accumulate(s.tickCounts.begin(), s.tickCounts.end(), std::int64_t{0});
    if (sum != s.tickCredited || s.tickCredited != s.totalCounts) std::abort();
    if (s.tickCredited > s.pulsesReported || s.tickCredited > s.eventsDecoded * cap) std::abort();
    const std::size_t width = format == mca::StreamFormat::ThreeByte ? 3 : 2;
    if (static_cast<std::size_t>(s.eventsDecoded) * width > r.consumed) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    check(bytes, mca::StreamFormat::ThreeByte, 15);
    check(bytes, mca::StreamFormat::ThreeByte, 1);
    check(bytes, mca::StreamFormat::TwoByte, 15);
    return 0;
}
