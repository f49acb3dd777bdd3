// Peak search and end rule of fine tuning.
#include "device/fine_tune_peak.h"

#include <algorithm>

namespace mca {

FineTunePeak findFineTunePeak(std::span<const double> counts, int channelCount, int expectedChannel) {
    const int available = std::min(channelCount, static_cast<int>(counts.size()));
    const int halfWindow = channelCount / 8;
    const int first = std::max(expectedChannel - halfWindow, kFineTuneSmoothHalfWidth);
    const int last = std::min(expectedChannel + halfWindow, available - 1 - kFineTuneSmoothHalfWidth);
    constexpr double kSmoothWidth = 2 * kFineTuneSmoothHalfWidth + 1;
    FineTunePeak peak{std::clamp(expectedChannel, 0, std::max(available - 1, 0)), 0.0};
    bool found = false;
    for (int j = first; j <= last; ++j) {
        double sum = 0.0;
        for (int k = j - kFineTuneSmoothHalfWidth; k <= j + kFineTuneSmoothHalfWidth; ++k) {
            sum += counts[static_cast<std::size_t>(k)];
        }
        const double s = sum / kSmoothWidth;
        // Strictly larger: of equal maxima the lowest channel stays.
        if (!found || s > peak.smoothed) peak = FineTunePeak{j, s};
        found = true;
    }
    return peak;
}

bool fineTuneOffsetReachedZero(double previousOffset, double currentOffset) {
    if (currentOffset == 0.0) return true;
    return (previousOffset < 0.0 && currentOffset > 0.0) || (previousOffset > 0.0 && currentOffset < 0.0);
}

}  // namespace mca
