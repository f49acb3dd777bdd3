// The two square-root-widening moving means of the peak search: smoothing A for the
// search itself and smoothing B for the continuum estimate.
#pragma once

#include "analysis/peak_inputs.h"

namespace mca {

// Smoothing A of x into y for N channels. D = N/4096, raised to 0.25 when smaller;
// E = trunc(sqrt(N) D / 2); F = N - trunc(sqrt(N) / 2).
//   1. y[i] = x[i] for 0 <= i <= E;
//   2. for 4 <= i <= F-1, h = trunc(sqrt(i) D / 2): y[i] = mean of x[k], i-h <= k <= i+h, k < N-2;
//   3. for F <= i <= N-2: y[i] = y[F-1].
// Entries the steps do not write keep their value (so y[3] of a zeroed y stays 0 for 256 and 512
// channels).
void smoothingA(const PeakArray& x, PeakArray& y, int channelCount);

// Smoothing B: as A with D = N/4096 (no floor) and h = trunc(sqrt(i) D - 1).
void smoothingB(const PeakArray& x, PeakArray& y, int channelCount);

}  // namespace mca
