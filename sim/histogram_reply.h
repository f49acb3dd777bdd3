// The block the instrument sends for "Q" when it keeps its own histogram (the monitoring-network
// use): "SPEC", 4096 three-byte counts, then six 32-bit figures, all least significant byte first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mca::sim {

inline constexpr std::size_t kHistogramReplySize = 12316;

struct HistogramFigures {
    std::int32_t countingMs = 0;
    std::int32_t liveMs = 0;  // the "second time" of the block: counting time less busy time
    std::int32_t betaCounts = 0;
    std::int32_t doseRateNanoSievertPerHour = 0;
    std::int32_t sensitivity = 0;
    std::int32_t hvVolts = 0;
};

// `counts` holds up to 4096 channels (missing ones are sent as 0); a count above 0xFFFFFF is sent
// as 0xFFFFFF, the most three bytes hold, as a saturated hardware counter would.
std::string histogramReply(std::span<const std::uint32_t> counts, const HistogramFigures& figures);

}  // namespace mca::sim
