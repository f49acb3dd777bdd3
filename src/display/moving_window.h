// Fixed-width centred windows for the display smoothing factors 8, 16 and 24: plain means on the
// live trace, Savitzky-Golay weights on the static trace.
#pragma once

#include "display/display_values.h"

#include <span>

namespace mca {

// A centred window of 2h + 1 weights, applied to channels h .. R - lastFromEnd:
//   D[i] = sum(w[j] * V[i - h + j]) / sum(w).
// Below it, D[1] = mean of V[0..2] when h >= 2 and D[2] = mean of V[0..4] when h >= 3; every other
// channel below R keeps V, and channels from R on are 0.
struct MovingWindow {
    std::span<const double> weights;
    int lastFromEnd = 0;
};

ChannelValues movingWindowTrace(const ChannelValues& v, int channelCount, const MovingWindow& window);

// The plain-mean window of a smoothing factor (8, 16 or 24): 3, 5 or 7 channels, ending at R - 3,
// R - 5 and R - 6 respectively.
MovingWindow plainMeanWindow(int factor);

}  // namespace mca
