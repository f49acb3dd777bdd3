// The continuum estimate: a coarse smoothed second derivative finds the peak regions, which are
// cut out of the smoothed spectrum and bridged.
#include "analysis/continuum_estimate.h"

#include "analysis/peak_smoothing.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>

namespace mca {
namespace {

constexpr double kMarked = -1.0;

std::size_t at(long long k) { return static_cast<std::size_t>(k); }
long long truncated(double value) { return truncateTowardZero(value); }

struct Work {
    PeakArray sb1{}, w{}, sb2{}, g1{}, sb3{}, g2{}, sd{}, sm{};
};

void movingAverage(const PeakArray& sd, PeakArray& sm, int s, long long n) {
    const long long half = s / 2;
    auto put = [&sm](long long index, double value) {
        if (index >= 0 && index < kPeakArraySize) sm[at(index)] = value;
    };
    double sum = 0;
    for (long long k = 0; k < s && k < kPeakArraySize; ++k) sum += sd[at(k)];
    put(half - 2, sum / s);
    for (long long r = s; r <= n - half; ++r) {
        double windowSum = 0;
        for (long long k = r - s + 1; k <= r; ++k) windowSum += peakValueAt(sd, k);
        put(r - half + 2, windowSum / s);
    }
}

// The region around one dip of SM; returns whether it was a peak.
bool cutRegion(Work& work, PeakArray& continuum, long long d, long long n) {
    const PeakArray& sb1 = work.sb1;
    double best = sb1[at(d)];
    long long refined = d;
    const long long reach = truncated(std::sqrt(static_cast<double>(d)) / 1.5);
    for (long long k = std::max(d - reach, 1LL); k <= d + reach && k < kPeakArraySize; ++k) {
        if (sb1[at(k)] > best && sb1[at(k - 1)] > best) {
            refined = k;
            best = sb1[at(k)];
        }
    }
    const long long halfRoot = truncated(std::sqrt(static_cast<double>(refined)) / 2.0);
    long long p = refined - halfRoot;
    while (p > 0) {
        --p;
        if (p >= 2 && sb1[at(p - 1)] >= sb1[at(p)] && sb1[at(p - 2)] >= sb1[at(p - 1)]) break;
    }
    long long q = refined + halfRoot;
    while (q <= n) {
        ++q;
        if (q > n || q + 1 >= kPeakArraySize || sb1[at(q + 1)] >= sb1[at(q)]) break;
    }
    const bool peak = static_cast<double>(q - p) > 1.1 * std::sqrt(static_cast<double>(refined));
    if (peak) {
        for (long long j = std::max(p, 0LL); j <= std::min(q, n - 1); ++j) continuum[at(j)] = kMarked;
    }
    const long long from = std::max<long long>(roundHalfEven(0.95 * static_cast<double>(p)), 0);
    const long long to = std::min<long long>(roundHalfEven(1.05 * static_cast<double>(q)), kPeakArraySize - 1);
    for (long long j = from; j <= to; ++j) work.sm[at(j)] = 0;
    if (d < from || d > to) work.sm[at(d)] = 0;
    return peak;
}

// Straight lines over every run of marked entries, between the last unmarked channel before the
// run (channel 0 with SB1[0] when the run starts there) and the first one after it (or N).
void bridgeMarkedRuns(PeakArray& continuum, const PeakArray& sb1, long long n) {
    long long i = 0;
    while (i < n) {
        if (continuum[at(i)] != kMarked) {
            ++i;
            continue;
        }
        const long long a = i > 0 ? i - 1 : 0;
        const double ya = i > 0 ? continuum[at(a)] : sb1[0];
        long long b = i;
        while (b < n && continuum[at(b)] == kMarked) ++b;
        const double yb = continuum[at(b)];
        for (long long j = a; j <= b; ++j) {
            continuum[at(j)] = b == a ? ya
                                      : ya + (yb - ya) * static_cast<double>(j - a) / static_cast<double>(b - a);
        }
        i = b + 1;
    }
}

}  // namespace

int continuumAverageWidth(int smoothWidth, int channelCount) {
    double s = smoothWidth;
    switch (channelCount) {
        case 2048: s = static_cast<double>(roundHalfEven(smoothWidth / 2.0)); break;
        case 1024:
        case 512: s = static_cast<double>(roundHalfEven(smoothWidth / 4.0)); break;
        case 256: s = static_cast<double>(roundHalfEven(smoothWidth / 8.0)); break;
        default: break;
    }
    return std::max(static_cast<int>(s), 1);
}

ContinuumResult EstimateContinuum(const PeakArray& net, int channelCount, const ContinuumSettings& settings,
                                  PeakArray& continuum) {
    const long long n = std::clamp(channelCount, 8, kPeakArraySize - 1);
    auto work = std::make_unique<Work>();
    smoothingB(net, work->sb1, channelCount);
    for (long long i = 0; i <= n - 1; ++i) {
        work->w[at(i)] = std::pow(static_cast<double>(i), settings.exponent) * work->sb1[at(i)];
    }
    smoothingB(work->w, work->sb2, channelCount);
    for (long long i = 0; i <= n - 3; ++i) work->g1[at(i)] = work->sb2[at(i + 1)] - work->sb2[at(i)];
    smoothingB(work->g1, work->sb3, channelCount);
    for (long long k = 1; k <= n - 4; ++k) work->g2[at(k)] = work->sb3[at(k)] - work->sb3[at(k - 1)];
    smoothingB(work->g2, work->sd, channelCount);
    movingAverage(work->sd, work->sm, continuumAverageWidth(settings.smoothWidth, channelCount), n);

    continuum.fill(0);
    for (long long i = 0; i <= n; ++i) continuum[at(i)] = work->sb1[at(i)];

    ContinuumResult result;
    const double threshold = channelCount == 512 ? -1.0 : -settings.sensitivity;
    constexpr long long kSmScan = 4096;   // SM[0..4095]
    while (true) {
        const double m = *std::min_element(work->sm.begin(), work->sm.begin() + kSmScan);
        if (!(m <= threshold)) break;
        long long d = -1;
        for (long long k = 0; k <= n - 1; ++k) {
            if (work->sm[at(k)] == m) {
                d = k;
                break;
            }
        }
        if (d < 0) break;
        if (cutRegion(*work, continuum, d, n)) ++result.regionCount;
        if (m == threshold) break;
    }

    bridgeMarkedRuns(continuum, work->sb1, n);
    for (long long i = 0; i <= n; ++i) continuum[at(i)] = std::min(continuum[at(i)], work->sb1[at(i)]);
    return result;
}

}  // namespace mca
