// The re-analysis of the found peaks and its fit curves.
#include "analysis/peak_reanalysis.h"

#include "analysis/peak_list_cleanup.h"
#include "analysis/peak_quantification.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mca {
namespace {

std::size_t at(long long k) { return static_cast<std::size_t>(k); }

void setBaselineFromContinuum(FoundPeak& peak, const PeakArray& continuum) {
    peak.baselineStartChannel = peak.leftChannel;
    peak.baselineEndChannel = peak.rightChannel;
    peak.leftEdgeHeight = peak.baselineStartHeight =
        static_cast<double>(roundHalfEven(peakValueAt(continuum, peak.leftChannel)));
    peak.rightEdgeHeight = peak.baselineEndHeight =
        static_cast<double>(roundHalfEven(peakValueAt(continuum, peak.rightChannel)));
}

double fwhmChannels(const PeakAnalysisInput& input, const PeakSearchSettings& settings, long long ci) {
    if (settings.useShapeCalibration && input.shape.usable()) return input.shape.fwhmAtChannel(static_cast<double>(ci));
    return std::sqrt(static_cast<double>(ci)) * input.multipliers.sqrtToFwhm;
}

struct Fit {
    BaselineLine base;
    double c = 0;
    double amplitudeHeight = 0;   // A V
    double sigma = 0;
    long long from = 0;
    long long to = 0;
};

void drawFit(GaussFitCurves& curves, const Fit& fit, int curveIndex) {
    PeakArray& peakCurve = curves.peaks[static_cast<std::size_t>(curveIndex)];
    for (long long k = std::max(fit.from, 0LL); k <= fit.to && k < kPeakArraySize; ++k) {
        const double x = static_cast<double>(k);
        const double base = fit.base.at(x);
        const double g = base + fit.amplitudeHeight * std::exp(-(x - fit.c) * (x - fit.c) / (2 * fit.sigma * fit.sigma));
        curves.baseline[at(k)] = base;
        curves.sum[at(k)] += g - base;
        peakCurve[at(k)] = g;
    }
}

}  // namespace

int alternatingCurveIndex(int position, bool toggle) {
    const bool even = position % 2 == 0;
    if (even) return toggle ? 0 : 1;
    return toggle ? 3 : 2;
}

void ReanalysePeaks(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings) {
    FoundPeakList& peaks = state.peaks;
    if (peaks.empty()) return;
    state.fitCurves.clear();
    sortByCentroidEnergy(peaks);
    for (FoundPeak& peak : peaks) setBaselineFromContinuum(peak, state.continuum);
    shareBaselines(peaks);

    const double rt = input.realTimeSeconds;
    bool toggle = true;
    for (std::ptrdiff_t i = static_cast<std::ptrdiff_t>(peaks.size()) - 1; i >= 0; --i) {
        FoundPeak& peak = peaks[static_cast<std::size_t>(i)];
        const double c = centroidOf(peak);
        const long long ci = roundHalfEven(c);
        const double cs = std::max(peak.baselineStartChannel, 0);
        double ce = peak.baselineEndChannel;

        const BaselineLine comptonLine =
            baselineThrough(cs, peakValueAt(state.smoothedSpectrum, roundHalfEven(cs)), ce,
                            peakValueAt(state.smoothedSpectrum, roundHalfEven(ce)));
        peak.comptonCounts = holdSignificant(comptonUnder(comptonLine, peak.leftChannel, peak.rightChannel),
                                             kPeakCountDigits);

        Fit fit;
        fit.base = baselineThrough(cs, settings.gaussMult * peak.baselineStartHeight, ce,
                                   settings.gaussMult * peak.baselineEndHeight);
        fit.c = c;
        const double b = fit.base.at(c);
        const double fwhm = fwhmChannels(input, settings, ci);
        fit.sigma = fwhm / 2.355;
        const double v = unitGaussianHeight(fwhm);
        peak.fwhm = fwhm * 100.0 / static_cast<double>(ci);

        const double h = peakValueAt(state.smoothedSpectrum, ci) - b;
        const double area = gaussianAmplitude(h, v);
        completeQuantities(peak, area, rt);
        if (settings.minSignificance > 0 && settings.minSignificance > peak.significance) {
            peaks.erase(peaks.begin() + i);
            continue;
        }

        if (ce > input.channelCount) ce = input.channelCount - 2;
        fit.amplitudeHeight = area * v;
        fit.from = static_cast<long long>(cs);
        fit.to = static_cast<long long>(ce);
        const int position = static_cast<int>(i) + 1;
        drawFit(state.fitCurves, fit, alternatingCurveIndex(position, toggle));
        if (position % 2 == 0) toggle = !toggle;
    }
    renumberPeaks(peaks);
    state.listCommandsEnabled = true;
    if (state.selectedPeak > static_cast<int>(peaks.size())) state.selectedPeak = std::max(1, static_cast<int>(peaks.size()));
}

CurveSegments curveSegments(const PeakArray& curve, const std::function<double(int channel)>& xOf) {
    CurveSegments segments;
    bool open = false;
    for (int k = 0; k < kPeakArraySize; ++k) {
        const double y = curve[static_cast<std::size_t>(k)];
        if (y == 0) {
            open = false;
            continue;
        }
        if (!open) segments.emplace_back();
        open = true;
        segments.back().push_back({xOf(k), y});
    }
    return segments;
}

GaussFitPlot gaussFitPlot(const GaussFitCurves& curves, const std::function<double(int channel)>& xOf) {
    GaussFitPlot plot;
    plot.baseline = curveSegments(curves.baseline, xOf);
    PeakArray sumPlusBaseline{};
    for (std::size_t k = 0; k < sumPlusBaseline.size(); ++k) sumPlusBaseline[k] = curves.sum[k] + curves.baseline[k];
    plot.sumPlusBaseline = curveSegments(sumPlusBaseline, xOf);
    for (std::size_t i = 0; i < plot.peaks.size(); ++i) plot.peaks[i] = curveSegments(curves.peaks[i], xOf);
    return plot;
}

}  // namespace mca
