// The static trace's smoothing variants.
#include "display/static_trace.h"

#include "core/number_text.h"
#include "display/moving_window.h"
#include "display/sqrt_window.h"
#include "display/trace_smoothing.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace mca {
namespace {

constexpr std::array<double, 5> kSavitzkyGolay5{-3, 12, 17, 12, -3};
constexpr std::array<double, 7> kSavitzkyGolay7{-2, 3, 6, 7, 6, 3, -2};

std::size_t at(int i) { return static_cast<std::size_t>(i); }

ChannelValues roundedSqrtWindow(const ChannelValues& v, int channelCount) {
    constexpr int kFirstSmoothed = 4;
    ChannelValues d{};
    const SqrtWindow window = sqrtWindowFor(channelCount);
    const int lastSmoothed = channelCount - window.lowEnd - 1;
    for (int i = 0; i < std::min(kFirstSmoothed, channelCount); ++i) d[at(i)] = v[at(i)];
    for (int i = kFirstSmoothed; i <= lastSmoothed; ++i) {
        d[at(i)] = static_cast<double>(
            roundHalfEven(windowMean(v, i, sqrtHalfWidth(window, i), channelCount)));
    }
    for (int i = std::max(lastSmoothed + 1, kFirstSmoothed); i < channelCount; ++i) {
        d[at(i)] = d[at(lastSmoothed)];
    }
    return d;
}

}  // namespace

ChannelValues smoothStaticTrace(const ChannelValues& v, int channelCount, int factor, int offsetChannels) {
    const int r = std::clamp(channelCount, 2, kMaxChannels);
    switch (factor) {
        case 16: return movingWindowTrace(v, r, {kSavitzkyGolay5, plainMeanWindow(16).lastFromEnd});
        case 24: return movingWindowTrace(v, r, {kSavitzkyGolay7, plainMeanWindow(24).lastFromEnd});
        case 36: return roundedSqrtWindow(v, r);
        default: return smoothTrace(v, r, factor, offsetChannels);
    }
}

}  // namespace mca
