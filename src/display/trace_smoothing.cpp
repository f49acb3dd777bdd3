// The six display smoothing factors of the live trace.
#include "display/trace_smoothing.h"

#include "core/number_text.h"
#include "display/moving_window.h"
#include "display/sqrt_window.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mca {
namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

ChannelValues shifted(const ChannelValues& v, int channelCount, int offset) {
    ChannelValues d{};
    const int o = std::clamp(offset, kMinDisplayOffset, kMaxDisplayOffset);
    for (int i = 0; i <= channelCount - 2; ++i) {
        const int position = i + o;
        if (position >= 0 && position < kMaxChannels) d[at(position)] = v[at(i)];
    }
    return d;
}

ChannelValues oddSqrtWindow(const ChannelValues& v, int channelCount) {
    ChannelValues d{};
    int w = 1;
    for (int i = 0; i <= channelCount - 2; ++i) {
        const auto r = static_cast<int>(roundHalfEven(std::sqrt(static_cast<double>(i))));
        if (r % 2 == 1) w = r;
        const int h = w / 2;
        double sum = 0;
        // Divided by w even where the top of the spectrum cuts the window short.
        for (int k = std::max(0, i - h); k <= std::min(channelCount - 2, i + h); ++k) sum += v[at(k)];
        d[at(i)] = sum / w;
    }
    d[at(channelCount - 1)] = v[at(channelCount - 1)];
    return d;
}

ChannelValues growingSqrtWindow(const ChannelValues& v, int channelCount) {
    ChannelValues d{};
    const SqrtWindow window = sqrtWindowFor(channelCount);
    const int lastSmoothed = window.highStart - 2;
    for (int i = 0; i <= std::min(window.lowEnd, channelCount - 1); ++i) d[at(i)] = v[at(i)];
    for (int i = window.lowEnd + 1; i <= lastSmoothed; ++i) {
        d[at(i)] = windowMean(v, i, sqrtHalfWidth(window, i), channelCount - 2);
    }
    for (int i = std::max(lastSmoothed + 1, 0); i <= channelCount - 2; ++i) d[at(i)] = d[at(lastSmoothed)];
    return d;
}

}  // namespace

ChannelValues smoothTrace(const ChannelValues& v, int channelCount, int factor, int offsetChannels) {
    const int r = std::clamp(channelCount, 2, kMaxChannels);
    switch (factor) {
        case 8:
        case 16:
        case 24: return movingWindowTrace(v, r, plainMeanWindow(factor));
        case 36: return oddSqrtWindow(v, r);
        case 48: return growingSqrtWindow(v, r);
        default: return shifted(v, r, offsetChannels);
    }
}

}  // namespace mca
