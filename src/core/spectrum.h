// The histogram built for one instrument, with the counters the acquisition keeps beside it.
#pragma once

#include <array>
#include <cstdint>

namespace mca {

inline constexpr int kMaxChannels = 4096;
inline constexpr std::array<int, 5> kChannelCounts{256, 512, 1024, 2048, 4096};

constexpr bool isValidChannelCount(int channels) {
    for (int c : kChannelCounts) {
        if (c == channels) return true;
    }
    return false;
}

struct Spectrum {
    std::array<double, kMaxChannels> counts{};               // accumulated counts per channel
    std::array<std::int32_t, kMaxChannels> tickCounts{};     // decoded since the last tick
    std::array<std::int32_t, kMaxChannels> stabilizationSums{};  // for gain stabilization
    std::array<double, kMaxChannels> lastTickCounts{};       // the last tick alone (MCA 1 and 2)
    // The sums since Clear are 64-bit: at a high rate a 32-bit sum would wrap within hours.
    std::int64_t eventsDecoded = 0;    // event records since Clear
    std::int64_t pulsesReported = 0;   // sum of the raw count fields since Clear
    std::int64_t totalCounts = 0;      // sum of the credited counts since Clear
    std::int64_t tickCredited = 0;     // credited counts in the current tick
    std::int64_t tickEvents = 0;       // event records in the current tick
    std::int64_t tickPulses = 0;       // sum of the raw count fields in the current tick

    // Zeroes every channel and counter, as Clear does.
    void clear() { *this = Spectrum{}; }
    // Sum of the first `channels` channels (all 4096 by default).
    double sum(int channels = kMaxChannels) const;
};

}  // namespace mca
