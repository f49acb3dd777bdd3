// The square-root window's constants and its mean.
#include "display/sqrt_window.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace mca {

SqrtWindow sqrtWindowFor(int channelCount) {
    SqrtWindow w;
    const double r = channelCount;
    w.d = std::max(r / kMaxChannels, 0.25);
    w.lowEnd = static_cast<int>(truncateTowardZero(std::sqrt(r) * w.d / 2));
    w.highStart = channelCount - static_cast<int>(truncateTowardZero(std::sqrt(r) / 2));
    return w;
}

int sqrtHalfWidth(const SqrtWindow& window, int channel) {
    return static_cast<int>(truncateTowardZero(std::sqrt(static_cast<double>(channel)) * window.d / 2));
}

double windowMean(const ChannelValues& v, int channel, int halfWidth, int limit) {
    const int first = std::max(0, channel - halfWidth);
    const int last = std::min({channel + halfWidth, limit - 1, kMaxChannels - 1});
    double sum = 0;
    int n = 0;
    for (int k = first; k <= last; ++k, ++n) sum += v[static_cast<std::size_t>(k)];
    return n > 0 ? sum / n : 0.0;
}

}  // namespace mca
