// The static comparison trace: a saved spectrum smoothed like the live trace, except that the
// medium factors use Savitzky-Golay weights (which keep peak heights) and the factor 36 takes the
// growing square-root window rounded to whole counts.
#pragma once

#include "display/display_values.h"

namespace mca {

// D from the static spectrum's Rs channels (2 .. 4096) by factor f:
//   1, 8, 48: as the live trace (trace_smoothing.h), the offset included for 1
//   16: 5-point quadratic Savitzky-Golay, D[i] = (-3 V[i-2] + 12 V[i-1] + 17 V[i] + 12 V[i+1]
//       - 3 V[i+2]) / 35 for i = 2 .. Rs-5
//   24: 7-point, D[i] = (-2, 3, 6, 7, 6, 3, -2) . V[i-3 .. i+3] / 21 for i = 3 .. Rs-6
//   36: D[i] = round(mean of V[i-h .. i+h]) for i = 4 .. Rs-E-1 (h, E of sqrt_window.h; the window
//       stays inside the spectrum there), V below 4, the last smoothed value repeated above
// Channels 1 and 2 of 16 and 24 take the plain means of the live trace. Points 0 .. Rs-1 are drawn.
ChannelValues smoothStaticTrace(const ChannelValues& v, int channelCount, int factor, int offsetChannels);

}  // namespace mca
