// Layout of the "Q" reply.
#include "sim/histogram_reply.h"

#include "sim/gain.h"

#include <algorithm>

namespace mca::sim {

namespace {
void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>(static_cast<unsigned char>(value >> (8 * i) & 0xFF));
}
constexpr std::uint32_t kMaxThreeByte = 0xFFFFFF;
}  // namespace

std::string histogramReply(std::span<const std::uint32_t> counts, const HistogramFigures& figures) {
    std::string out = "SPEC";
    out.reserve(kHistogramReplySize);
    for (std::size_t i = 0; i < static_cast<std::size_t>(kFullChannels); ++i) {
        const std::uint32_t value = i < counts.size() ? std::min(counts[i], kMaxThreeByte) : 0;
        appendLittleEndian(out, value, 3);
    }
    for (const std::int32_t field : {figures.countingMs, figures.liveMs, figures.betaCounts,
                                     figures.doseRateNanoSievertPerHour, figures.sensitivity, figures.hvVolts}) {
        appendLittleEndian(out, static_cast<std::uint32_t>(field), 4);
    }
    return out;
}

}  // namespace mca::sim
