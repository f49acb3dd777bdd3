// Sums over a spectrum.
#include "core/spectrum.h"

#include <algorithm>
#include <numeric>

namespace mca {

double Spectrum::sum(int channels) const {
    const int n = std::clamp(channels, 0, kMaxChannels);
    return std::accumulate(counts.begin(), counts.begin() + n, 0.0);
}

}  // namespace mca
