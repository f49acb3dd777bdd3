// The square-root-wide moving window shared by the display's heavy smoothing factors: a peak's
// width grows roughly as the square root of its channel, so the window does too.
#pragma once

#include "display/display_values.h"

namespace mca {

// The window's constants for a channel count R:
//   d = max(R / 4096, 0.25); lowEnd E = trunc(sqrt(R) * d / 2); highStart F = R - trunc(sqrt(R) / 2).
struct SqrtWindow {
    double d = 1.0;
    int lowEnd = 0;
    int highStart = 0;
};

SqrtWindow sqrtWindowFor(int channelCount);

// Half-width at channel i: h = trunc(sqrt(i) * d / 2).
int sqrtHalfWidth(const SqrtWindow& window, int channel);

// Mean of v[k] over i-h <= k <= i+h, counting only 0 <= k < limit; 0 when nothing is counted.
double windowMean(const ChannelValues& v, int channel, int halfWidth, int limit);

}  // namespace mca
