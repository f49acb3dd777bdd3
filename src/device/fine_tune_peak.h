// The arithmetic of fine tuning: the search window around the expected channel, the nine-channel
// smoothing, the peak in it, and the rule that says when the peak has reached its channel.
#pragma once

#include <span>

namespace mca {

inline constexpr int kFineTuneSmoothHalfWidth = 4;   // s[j] averages counts[j - 4] .. counts[j + 4]
inline constexpr double kFineTuneEnoughCounts = 75.0;   // a smoothed maximum above this is a peak

struct FineTunePeak {
    int channel = 0;         // p: the first window channel, scanning upwards, whose s is the largest
    double smoothed = 0.0;   // m: that largest s
};

// Searches channels c - N/8 .. c + N/8 (N = channelCount, integer division) for the largest
//   s[j] = (counts[j - 4] + ... + counts[j + 4]) / 9
// The window is kept within 4 .. N - 5 so that every s has its nine channels. `counts` holds at
// least channelCount values.
FineTunePeak findFineTunePeak(std::span<const double> counts, int channelCount, int expectedChannel);

// The offset (peak channel - unrounded expected channel) has reached or crossed zero since the
// previous step: it is 0, or its sign differs from the previous offset's. On the first step the
// previous offset is the current one, so only an offset of exactly 0 ends there.
bool fineTuneOffsetReachedZero(double previousOffset, double currentOffset);

}  // namespace mca
