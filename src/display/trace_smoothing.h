// The live trace of a chart: the display values smoothed by the chosen factor, for display only
// (analyses never see these values), and shifted by the display offset when unsmoothed.
#pragma once

#include "display/display_values.h"

namespace mca {

// The display offset's range, channels.
inline constexpr int kMinDisplayOffset = -100;
inline constexpr int kMaxDisplayOffset = 100;

// D from V over R channels (2 .. 4096) by factor f; any factor other than 8, 16, 24, 36 and 48
// draws as 1, as the settings file reads it:
//   1:  D[i + o] = V[i] for i = 0 .. R-2 (positions outside 0 .. 4095 dropped)
//   8, 16, 24: centred means of 3, 5, 7 channels (moving_window.h)
//   36: odd square-root window: w = round(sqrt(i)) whenever that is odd (else w keeps its last
//       value, starting at 1), h = trunc(w / 2), D[i] = sum(V[max(0, i-h) .. min(R-2, i+h)]) / w
//       for i = 0 .. R-2, D[R-1] = V[R-1]
//   48: D[i] = V[i] for i <= E; mean of V[i-h .. i+h] over k < R-2 for E < i <= F-2;
//       D[F-2] repeated over F-1 .. R-2 (E, F, h of sqrt_window.h)
// The offset o is clamped to -100 .. +100 and shifts only the unsmoothed trace.
ChannelValues smoothTrace(const ChannelValues& v, int channelCount, int factor, int offsetChannels);

}  // namespace mca
