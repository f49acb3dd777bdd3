// Second derivative and detection loop of the peak search.
#include "analysis/peak_detection.h"

#include "analysis/curve_fit.h"
#include "analysis/peak_smoothing.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>

namespace mca {
namespace {

std::size_t at(long long k) { return static_cast<std::size_t>(k); }
long long truncated(double value) { return truncateTowardZero(value); }
double real(long long value) { return static_cast<double>(value); }

struct Region {
    long long left = 0;
    long long right = 0;
    double fwhm = 0;   // channels
};

// Slope of the line through the 17 points (k, SmoothedSpectrum[k]), k = centre-8 .. centre+8,
// with y taken as 0 where `zero(k)` holds.
template <typename Zero>
double slopeAround(const PeakArray& smoothed, long long centre, Zero zero) {
    TCurveFit fit;
    for (long long k = centre - 8; k <= centre + 8; ++k) {
        fit.AddPoint(real(k), zero(k) ? 0.0 : peakValueAt(smoothed, k));
    }
    return fit.LinearFit().k;
}

Region shapeRegion(const PeakShapeModel& shape, long long u) {
    Region region;
    region.fwhm = shape.fwhmAtChannel(real(u));
    const double sigma = region.fwhm / 2.355;
    const double w = 5.594 * sigma;
    region.left = u - truncated(w / 2.0);
    region.right = u + roundHalfEven(w / 2.0);
    return region;
}

Region walkedRegion(const PeakAnalysisInput& input, const DetectionSettings& settings, const PeakArray& smoothed,
                    const PeakArray& continuum, long long u) {
    const long long n = input.channelCount;
    const double height = smoothed[at(u)] - real(roundHalfEven(continuum[at(u)]));
    auto net = [&](long long k) { return peakValueAt(smoothed, k) - peakValueAt(continuum, k); };
    long long r = std::max(u - 2, 0LL);
    while (r > 0 && !(net(r) <= height / 2.0)) --r;
    long long q = u + 2;
    while (q < n && !(net(q) <= height / 2.0)) ++q;
    if (u - r > 2 * (q - u)) {
        r = u - (q - u);
    } else if (q - u > 2 * (u - r)) {
        q = u + (u - r);
    }

    Region region;
    const double rootU = std::sqrt(real(u));
    if (q - r > 5 * truncated(rootU) && real(u) - 3.0 * rootU > 0) {
        long long j = 1;
        for (;; ++j) {
            const double slope = slopeAround(smoothed, r - j, [](long long k) { return k <= 0; });
            if (slope <= settings.slopeLimit || real(r - j) <= real(u) - 5.0 * rootU) break;
        }
        region.left = r - j;
        const long long qPrime = u + roundHalfEven(rootU);
        for (j = 1;; ++j) {
            const double slope = slopeAround(smoothed, qPrime + j, [](long long k) { return k >= 4095; });
            if (slope >= -3.0 || real(qPrime + j) >= real(u) + 5.0 * rootU) break;
        }
        region.right = qPrime + j - 6;
        const double sigma = real(region.right - region.left) / 6.0;
        region.fwhm = 2.355 * sigma;
    } else {
        region.fwhm = real(q - r - 1);
        const double sigma = region.fwhm / 2.355;
        const double w = 6.0 * sigma;
        region.left = u - truncated(w / 2.0);
        region.right = u + roundHalfEven(w / 2.0);
    }
    return region;
}

FoundPeak acceptedPeak(const PeakAnalysisInput& input, const PeakArray& continuum, long long u, const Region& region) {
    FoundPeak peak;
    peak.centroidChannel = real(u);
    peak.firstCentroidChannel = real(u);
    peak.centroidKeV = centroidEnergyKeV(input.calibration, real(u));
    peak.regionStartKeV = ChannelToKeV(input.calibration, real(region.left));
    peak.regionEndKeV = ChannelToKeV(input.calibration, real(region.right));
    peak.fwhm = region.fwhm;
    peak.leftChannel = static_cast<int>(region.left);
    peak.rightChannel = static_cast<int>(region.right);
    peak.baselineStartChannel = peak.leftChannel;
    peak.baselineEndChannel = peak.rightChannel;
    peak.baselineStartHeight = peak.leftEdgeHeight = peakValueAt(continuum, region.left);
    peak.baselineEndHeight = peak.rightEdgeHeight = peakValueAt(continuum, region.right);
    peak.backgroundCounts = backgroundCountsIn(input, region.left, region.right);
    peak.backgroundCpm = perMinute(peak.backgroundCounts, input.realTimeSeconds);
    return peak;
}

}  // namespace

void buildSecondDerivative(const PeakArray& net, int channelCount, double exponent, DerivativeArrays& out) {
    smoothingA(net, out.smoothedSpectrum, channelCount);
    for (std::size_t i = 0; i <= 4095; ++i) {
        out.weighted[i] = std::pow(static_cast<double>(i), exponent) * out.smoothedSpectrum[i];
    }
    auto scratch = std::make_unique<std::array<PeakArray, 4>>();
    auto& [d1, s2, d2, s3] = *scratch;
    d1.fill(0);
    s2.fill(0);
    d2.fill(0);
    s3.fill(0);
    for (std::size_t i = 0; i <= 4093; ++i) d1[i] = out.weighted[i + 1] - out.weighted[i];
    smoothingA(d1, s2, channelCount);
    for (std::size_t i = 0; i <= 4092; ++i) d2[i] = s2[i + 1] - s2[i];
    smoothingA(d2, s3, channelCount);
    smoothingA(s3, out.secondDerivative, channelCount);
}

DetectionResult detectPeaks(const PeakAnalysisInput& input, const DetectionSettings& settings,
                            const PeakArray& smoothedSpectrum, const PeakArray& continuum, PeakArray& weighted,
                            PeakArray& secondDerivative) {
    DetectionResult result;
    const long long n = input.channelCount;
    const bool byShape = settings.useShapeCalibration && input.shape.usable();
    while (true) {
        const double m = *std::min_element(secondDerivative.begin(), secondDerivative.end());
        if (!(m < -settings.sensitivity) || result.iterations >= n) break;
        ++result.iterations;
        long long d = -1;
        for (long long k = 0; k <= 4090; ++k) {
            if (secondDerivative[at(k)] == m) {
                d = k;
                break;
            }
        }
        if (d < 0) break;
        result.dipChannels.push_back(static_cast<int>(d));
        try {
            long long u = d;
            double best = weighted[at(d)];
            const long long reach = roundHalfEven(std::sqrt(real(d)) / 5.0);
            for (long long k = d - reach; k <= d + reach; ++k) {
                if (peakValueAt(weighted, k) > best) {
                    best = peakValueAt(weighted, k);
                    u = k;
                }
            }
            const Region region = byShape ? shapeRegion(input.shape, u)
                                          : walkedRegion(input, settings, smoothedSpectrum, continuum, u);
            secondDerivative[at(u)] = 0;
            weighted[at(u)] = 0;
            for (long long k = std::max(region.left - 1, 0LL); k <= std::min<long long>(region.right, kPeakArraySize - 1);
                 ++k) {
                secondDerivative[at(k)] = 0;
                weighted[at(k)] = 0;
            }
            const long long rootU = truncated(std::sqrt(real(u)));
            if (u >= 1 && region.right - region.left > rootU && real(10 * rootU) > region.fwhm) {
                result.peaks.insert(result.peaks.begin(), acceptedPeak(input, continuum, u, region));
            }
        } catch (const FitDivisionError&) {
            break;
        }
    }
    return result;
}

}  // namespace mca
