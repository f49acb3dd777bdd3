// Display values: counts less the scaled background, and the sums of the combined view.
#include "display/display_values.h"

#include <cstddef>

namespace mca {

ChannelValues displayValues(const ChannelValues& counts, const ChannelValues& backgroundRate,
                            double elapsedSeconds, bool subtractBackground) {
    if (!subtractBackground) return counts;
    ChannelValues v{};
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = counts[i] - elapsedSeconds * backgroundRate[i];
    return v;
}

ChannelValues channelSums(const ChannelValues& a, const ChannelValues& b) {
    ChannelValues s{};
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = a[i] + b[i];
    return s;
}

}  // namespace mca
