// The values a chart's main trace starts from: the instrument's counts, less the background scaled
// to the elapsed counting time when background subtraction is shown.
#pragma once

#include "core/spectrum.h"

#include <array>

namespace mca {

// One value per channel, as the display traces hold them.
using ChannelValues = std::array<double, kMaxChannels>;

// V[i] = C[i] - t * Bk[i] with subtraction on (t = elapsed seconds, Bk in counts per second per
// channel; all zero without a background), else V[i] = C[i].
ChannelValues displayValues(const ChannelValues& counts, const ChannelValues& backgroundRate,
                            double elapsedSeconds, bool subtractBackground);

// Channel-by-channel sum, for the combined view of two instruments (counts and background rates
// alike).
ChannelValues channelSums(const ChannelValues& a, const ChannelValues& b);

}  // namespace mca
