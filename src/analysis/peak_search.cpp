// The peak search from spectrum to re-analysed list, ClearPeaks, and the unattended summary.
#include "analysis/peak_search.h"

#include "analysis/peak_detection.h"
#include "analysis/peak_list_cleanup.h"
#include "analysis/peak_quantification.h"
#include "analysis/peak_reanalysis.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <memory>

namespace mca {
namespace {

ContinuumSettings continuumSettings(const PeakSearchSettings& settings) {
    return {settings.sensitivity, settings.smoothWidth, settings.expandExponent()};
}

}  // namespace

void ClearPeaks(PeakAnalysis& state) {
    state.peaks.clear();
    state.smoothedSpectrum.fill(0);
    state.continuum.fill(0);
    state.weighted.fill(0);
    state.secondDerivative.fill(0);
    state.dipChannels.clear();
    state.continuumRegions = 0;
    state.fitCurves.clear();
    state.peaksPresent = false;
    state.listCommandsEnabled = false;
    state.selectedPeak = 1;
    state.foundPeakCount = 0;
}

ContinuumResult EstimateContinuum(PeakAnalysis& state, const PeakAnalysisInput& input,
                                  const PeakSearchSettings& settings) {
    const ContinuumResult result =
        EstimateContinuum(netSpectrum(input), input.channelCount, continuumSettings(settings), state.continuum);
    state.continuumRegions = result.regionCount;
    return result;
}

int FindPeaks(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings) {
    ClearPeaks(state);
    const PeakArray net = netSpectrum(input);

    auto derivatives = std::make_unique<DerivativeArrays>();
    buildSecondDerivative(net, input.channelCount, settings.expandExponent(), *derivatives);
    state.smoothedSpectrum = derivatives->smoothedSpectrum;
    state.weighted = derivatives->weighted;
    state.secondDerivative = derivatives->secondDerivative;
    state.continuumRegions =
        EstimateContinuum(net, input.channelCount, continuumSettings(settings), state.continuum).regionCount;

    // The plots show the arrays as built; the loop blanks its own copies.
    DetectionResult detection =
        detectPeaks(input, {settings.sensitivity, settings.useShapeCalibration, settings.slopeLimit},
                    state.smoothedSpectrum, state.continuum, derivatives->weighted, derivatives->secondDerivative);
    state.dipChannels = std::move(detection.dipChannels);
    state.peaks = std::move(detection.peaks);

    cleanUpPeakList(state.peaks, {input.channelCount, settings.lowCutoffChannel});
    if (!state.peaks.empty()) {
        quantifyPreliminary(state.peaks, state.smoothedSpectrum, state.continuum, input.realTimeSeconds,
                            settings.minSignificance);
        ReanalysePeaks(state, input, settings);
    }
    state.selectedPeak = 1;
    state.peaksPresent = !state.peaks.empty();
    state.listCommandsEnabled = state.peaksPresent;
    state.foundPeakCount = static_cast<int>(state.peaks.size());
    return state.foundPeakCount;
}

std::vector<double> secondDerivativePlot(const PeakAnalysis& state) {
    std::vector<double> plot(4095);
    for (std::size_t i = 0; i < plot.size(); ++i) plot[i] = state.secondDerivative[i] * -10.0;
    return plot;
}

std::vector<std::string> unattendedSummary(PeakAnalysis& state, double realTimeSeconds,
                                           const std::function<void(const FoundPeakList&)>& logPeaks) {
    std::vector<std::string> lines;
    sortByNetRateDescending(state.peaks);
    lines.push_back("Acquisition time = " + std::to_string(truncateTowardZero(realTimeSeconds)) + " sec");
    lines.push_back("Num peaks = " + std::to_string(state.peaks.size()));
    const std::size_t shown = std::min<std::size_t>(state.peaks.size(), 10);
    for (std::size_t i = 0; i < shown; ++i) {
        const FoundPeak& peak = state.peaks[i];
        lines.push_back("Peak Energy " + std::to_string(i + 1) + " = " + formatFull(peak.centroidKeV.value_or(0.0)));
        lines.push_back("Peak Chn = " + formatFull(centroidOf(peak)));
        lines.push_back("Peak ID = " + peak.label);
        lines.push_back("ncpm = " + formatFull(peak.netCpm));
        lines.push_back("cmptn cpm = " + formatFull(peak.comptonCpm));
        lines.emplace_back();
    }
    if (logPeaks) logPeaks(state.peaks);
    sortByCentroidEnergy(state.peaks);
    renumberPeaks(state.peaks);
    return lines;
}

}  // namespace mca
