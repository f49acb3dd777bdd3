// Centred fixed-width windows and the plain-mean windows of the live trace.
#include "display/moving_window.h"

#include <array>
#include <cstddef>
#include <numeric>

namespace mca {
namespace {

constexpr std::array<double, 7> kOnes{1, 1, 1, 1, 1, 1, 1};

double meanOf(const ChannelValues& v, int first, int last) {
    double sum = 0;
    for (int k = first; k <= last; ++k) sum += v[static_cast<std::size_t>(k)];
    return sum / (last - first + 1);
}

}  // namespace

ChannelValues movingWindowTrace(const ChannelValues& v, int channelCount, const MovingWindow& window) {
    ChannelValues d{};
    for (int i = 0; i < channelCount; ++i) d[static_cast<std::size_t>(i)] = v[static_cast<std::size_t>(i)];
    const int h = static_cast<int>(window.weights.size() / 2);
    if (h >= 2 && channelCount > 2) d[1] = meanOf(v, 0, 2);
    if (h >= 3 && channelCount > 4) d[2] = meanOf(v, 0, 4);
    const double weightSum = std::accumulate(window.weights.begin(), window.weights.end(), 0.0);
    for (int i = h; i <= channelCount - window.lastFromEnd; ++i) {
        double sum = 0;
        for (int j = 0; j <= 2 * h; ++j) {
            sum += window.weights[static_cast<std::size_t>(j)] * v[static_cast<std::size_t>(i - h + j)];
        }
        d[static_cast<std::size_t>(i)] = sum / weightSum;
    }
    return d;
}

MovingWindow plainMeanWindow(int factor) {
    const std::span<const double> ones(kOnes);
    switch (factor) {
        case 8: return {ones.first(3), 3};
        case 16: return {ones.first(5), 5};
        default: return {ones.first(7), 6};
    }
}

}  // namespace mca
