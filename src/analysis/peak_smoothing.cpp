// Smoothings A and B: means over windows that widen with the square root of the channel.
#include "analysis/peak_smoothing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mca {
namespace {

enum class Kind { A, B };

long long truncated(double value) { return static_cast<long long>(std::trunc(value)); }

void smooth(const PeakArray& x, PeakArray& y, int channelCount, Kind kind) {
    const long long n = std::clamp(channelCount, 1, kPeakArraySize - 1);
    double d = static_cast<double>(n) / 4096.0;
    if (kind == Kind::A && d < 0.25) d = 0.25;
    const double rootN = std::sqrt(static_cast<double>(n));
    const long long e = truncated(rootN * d / 2.0);
    const long long f = n - truncated(rootN / 2.0);
    for (long long i = 0; i <= e && i < kPeakArraySize; ++i) {
        y[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(i)];
    }
    const long long lastCounted = n - 3;   // only k < N-2 enter a mean
    for (long long i = 4; i <= f - 1; ++i) {
        const double root = std::sqrt(static_cast<double>(i));
        const long long h = kind == Kind::A ? truncated(root * d / 2.0) : truncated(root * d - 1.0);
        const long long lo = std::max(i - h, 0LL);
        const long long hi = std::min(i + h, lastCounted);
        if (hi < lo) continue;
        double sum = 0;
        for (long long k = lo; k <= hi; ++k) sum += x[static_cast<std::size_t>(k)];
        y[static_cast<std::size_t>(i)] = sum / static_cast<double>(hi - lo + 1);
    }
    if (f >= 1) {
        const double tail = y[static_cast<std::size_t>(f - 1)];
        for (long long i = f; i <= n - 2; ++i) y[static_cast<std::size_t>(i)] = tail;
    }
}

}  // namespace

void smoothingA(const PeakArray& x, PeakArray& y, int channelCount) { smooth(x, y, channelCount, Kind::A); }

void smoothingB(const PeakArray& x, PeakArray& y, int channelCount) { smooth(x, y, channelCount, Kind::B); }

}  // namespace mca
