// Gaussian amplitude search, critical level and the preliminary quantification.
#include "analysis/peak_quantification.h"

#include "analysis/curve_fit.h"
#include "core/number_text.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace mca {

double gaussianAmplitude(double netHeight, double v) {
    const double h = netHeight;
    if (!(h > 0)) return 0.1;
    if (!(v > 0) || !std::isfinite(v) || !std::isfinite(h)) return 0.0;
    const double steps = std::ceil(h / (10.0 * v));
    if (steps > 1e15) return 10.0 * steps;   // beyond exact integers: the search's own limit
    // Smallest multiple of 10 with A V >= h, as "add 10 until" reaches it.
    long long k = static_cast<long long>(steps);
    if (k < 0) k = 0;
    while (k > 0 && static_cast<double>(10 * (k - 1)) * v >= h) --k;
    while (static_cast<double>(10 * k) * v < h) ++k;
    double a = static_cast<double>(10 * k);
    while (a * v > h && a * v > 0) a -= 1.0;
    while (a * v < h) a += 0.1;
    return a;
}

double unitGaussianHeight(double fwhmChannels) {
    const double sigma = fwhmChannels / 2.355;
    return 1.0 / std::sqrt(2.0 * std::numbers::pi * sigma * sigma);
}

double criticalLevelCpm(double comptonCpm, double backgroundCpm, double realTimeSeconds) {
    return 2.33 * std::sqrt((comptonCpm + backgroundCpm) / (realTimeSeconds / 60.0));
}

BaselineLine baselineThrough(double x1, double y1, double x2, double y2) {
    TCurveFit fit;
    fit.AddPoint(x1, y1);
    fit.AddPoint(x2, y2);
    try {
        const LinearFitResult line = fit.LinearFit();
        return {line.k, line.d};
    } catch (const FitDivisionError&) {
        return {0.0, y1};
    }
}

double comptonUnder(const BaselineLine& line, long long left, long long right) {
    double sum = 0;
    for (long long k = left; k <= right; ++k) sum += line.at(static_cast<double>(k));
    return sum < 0 ? 0.0 : sum;
}

void completeQuantities(FoundPeak& peak, double netCounts, double realTimeSeconds) {
    peak.netCounts = holdSignificant(netCounts, kPeakCountDigits);
    peak.netCpm = holdSignificant(perMinute(netCounts, realTimeSeconds), kPeakCountDigits);
    const double comptonCpm = perMinute(peak.comptonCounts, realTimeSeconds);
    const double backgroundCpm = perMinute(peak.backgroundCounts, realTimeSeconds);
    peak.comptonCpm = holdSignificant(comptonCpm, kPeakCountDigits);
    peak.backgroundCpm = holdSignificant(backgroundCpm, kPeakCountDigits);
    const double cl = criticalLevelCpm(comptonCpm, backgroundCpm, realTimeSeconds);
    peak.criticalLevelCpm = holdSignificant(cl, kPeakCountDigits);
    const double netCpm = perMinute(netCounts, realTimeSeconds);
    peak.grossCounts = holdSignificant(netCounts + peak.comptonCounts + peak.backgroundCounts, kPeakCountDigits);
    peak.grossCpm = holdSignificant(netCpm + comptonCpm + backgroundCpm, kPeakCountDigits);
    peak.significance = holdSignificant(netCpm / cl, kPeakCountDigits);
}

void quantifyPreliminary(FoundPeakList& peaks, const PeakArray& smoothedSpectrum, const PeakArray& continuum,
                         double realTimeSeconds, double minSignificance) {
    for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(peaks.size()) - 1; i >= 0; --i) {
        FoundPeak& peak = peaks[static_cast<std::size_t>(i)];
        const double start = peak.baselineStartChannel;
        const double end = peak.baselineEndChannel;
        const BaselineLine line = baselineThrough(start, peakValueAt(continuum, roundHalfEven(start)), end,
                                                  peakValueAt(continuum, roundHalfEven(end)));
        peak.comptonCounts = holdSignificant(comptonUnder(line, peak.leftChannel, peak.rightChannel), kPeakCountDigits);
        const long long c = roundHalfEven(centroidOf(peak));
        const double height = peakValueAt(smoothedSpectrum, c) - peakValueAt(continuum, c);
        const double area = gaussianAmplitude(height, unitGaussianHeight(peak.fwhm));
        completeQuantities(peak, area, realTimeSeconds);
        if (minSignificance > 0 && minSignificance > peak.significance) peaks.erase(peaks.begin() + i);
    }
    renumberPeaks(peaks);
}

}  // namespace mca
