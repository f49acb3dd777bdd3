// Peak selection, centroid and edge moves, deletion and manual addition.
#include "analysis/peak_editing.h"

#include "analysis/peak_quantification.h"
#include "analysis/peak_reanalysis.h"
#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace mca {
namespace {

struct MoveText {
    std::string_view control;
    std::string_view hint;
};

constexpr std::array<MoveText, 12> kMoveTexts{{
    {"spdbtnCentroidUp", "Move the centroid right by 1 channel."},
    {"spdbtnCentroidUpUp", "Move the centroid right by 10 channels."},
    {"spdbtnCentroidDown", "Move the centroid left by 1 channel."},
    {"spdbtnCentroidDownDown", "Move the centroid left by 10 channels."},
    {"spdbtnLeftEdgeDown", "Lowers the peak's left edge by 1 channel."},
    {"spdbtnLeftEdgeDownDown", "Lowers the peak's left edge by 10 channels."},
    {"spdbtnLeftEdgeUp", "Increases the peak's left edge by 1 channel."},
    {"spdbtnLeftEdgeUpUp", "Increases the peak's left edge by 10 channels."},
    {"spdbtnRightEdgeDown", "Lowers the peak's right edge by 1 channel."},
    {"spdbtnRightEdgeDownDown", "Lowers the peak's right edge by 10 channels."},
    {"spdbtnRightEdgeUp", "Increases the peak's right edge by 1 channel."},
    {"spdbtnRightEdgeUpUp", "Increases the peak's right edge by 10 channels."},
}};

FoundPeak* selected(PeakAnalysis& state) {
    if (state.peaks.empty()) return nullptr;
    const int index = std::clamp(state.selectedPeak, 1, static_cast<int>(state.peaks.size())) - 1;
    return &state.peaks[static_cast<std::size_t>(index)];
}

double edgeEnergy(const PeakAnalysisInput& input, int channel) {
    return holdSignificant(ChannelToKeV(input.calibration, channel), kPeakEnergyDigits);
}

// Applies the move when its condition holds; returns whether it did.
bool applyMove(FoundPeak& peak, const PeakAnalysisInput& input, PeakMove move) {
    const double c = centroidOf(peak);
    const double startChannel = static_cast<double>(channelOfEnergy(input, peak.regionStartKeV));
    const double endChannel = static_cast<double>(channelOfEnergy(input, peak.regionEndKeV));
    const int last = input.channelCount - 1;   // N - 1
    const int l = peak.leftChannel;
    const int r = peak.rightChannel;
    auto moveCentroid = [&](double to) {
        peak.centroidChannel = to;
        peak.firstCentroidChannel = to;
        peak.centroidKeV = centroidEnergyKeV(input.calibration, to);
        return true;
    };
    auto moveLeft = [&](int to) {
        peak.leftChannel = to;
        peak.regionStartKeV = edgeEnergy(input, to);
        return true;
    };
    auto moveRight = [&](int to) {
        peak.rightChannel = to;
        peak.regionEndKeV = edgeEnergy(input, to);
        return true;
    };
    switch (move) {
        case PeakMove::CentroidUp: return c < endChannel && moveCentroid(c + 1);
        case PeakMove::CentroidUpUp: return c + 10 < endChannel && moveCentroid(c + 10);
        case PeakMove::CentroidDown: return c >= startChannel && moveCentroid(c - 1);
        case PeakMove::CentroidDownDown: return c - 10 >= startChannel && moveCentroid(c - 10);
        case PeakMove::LeftEdgeDown: return l > 0 && moveLeft(l - 1);
        case PeakMove::LeftEdgeDownDown: return l > 10 && moveLeft(l - 10);
        case PeakMove::LeftEdgeUp: return l < last && l < c && moveLeft(l + 1);
        case PeakMove::LeftEdgeUpUp: return l + 10 < last && l + 10 < c && moveLeft(l + 10);
        case PeakMove::RightEdgeDown: return r > 0 && c + 1 < r && moveRight(r - 1);
        case PeakMove::RightEdgeDownDown: return r > 0 && c + 10 < r && moveRight(r - 10);
        case PeakMove::RightEdgeUp: return r < last && moveRight(r + 1);
        case PeakMove::RightEdgeUpUp: return r + 10 < last && moveRight(r + 10);
    }
    return false;
}

struct IdWindow {
    double low = 0;
    double high = 0;
};

IdWindow idWindowOf(const IdWindowSettings& rule, double e, double f, const FoundPeak& peak) {
    switch (rule.rule) {
        case IdWindowRule::KeV: return {e - rule.keVSpread, e + rule.keVSpread};
        case IdWindowRule::Percent: return {(1 - rule.percentSpread / 100.0) * e, (1 + rule.percentSpread / 100.0) * e};
        case IdWindowRule::Area: return {peak.regionStartKeV, peak.regionEndKeV};
        case IdWindowRule::Fwhm: return {e - f / 2.0, e + f / 2.0};
    }
    return {};
}

double meanOfFive(const PeakAnalysisInput& input, long long centre) {
    double sum = 0;
    for (long long k = centre - 2; k <= centre + 2; ++k) sum += spectrumAt(input, k);
    return sum / 5.0;
}

// Region-sum quantities of one peak; false when a sum would read outside the spectrum.
bool quantifyByRegionSums(FoundPeak& peak, const PeakAnalysisInput& input) {
    const long long b = channelOfEnergy(input, peak.regionStartKeV);
    const long long e = channelOfEnergy(input, peak.regionEndKeV);
    const long long size = static_cast<long long>(input.spectrum.size());
    if (b - 2 < 0 || e + 2 >= size || b > size - 1 || e < 0) return false;
    const double rt = input.realTimeSeconds;
    double gross = 0;
    for (long long k = b; k <= e; ++k) gross += spectrumAt(input, k);
    const double background = backgroundCountsIn(input, b, e);
    const double compton = (meanOfFive(input, b) + meanOfFive(input, e)) / 2.0 * static_cast<double>(e - b + 1);
    const double net = gross - background - compton;
    peak.grossCounts = holdSignificant(gross, kPeakCountDigits);
    peak.grossCpm = holdSignificant(perMinute(gross, rt), kPeakCountDigits);
    peak.backgroundCounts = holdSignificant(background, kPeakCountDigits);
    peak.backgroundCpm = holdSignificant(perMinute(background, rt), kPeakCountDigits);
    peak.comptonCounts = holdSignificant(compton, kPeakCountDigits);
    peak.comptonCpm = holdSignificant(perMinute(compton, rt), kPeakCountDigits);
    peak.netCounts = holdSignificant(net, kPeakCountDigits);
    peak.netCpm = holdSignificant(perMinute(net, rt), kPeakCountDigits);
    return true;
}

}  // namespace

void selectPeak(PeakAnalysis& state, int number) {
    state.selectedPeak = std::clamp(number, 1, std::max(1, static_cast<int>(state.peaks.size())));
}

void selectNextPeak(PeakAnalysis& state) { selectPeak(state, state.selectedPeak + 1); }

void selectPreviousPeak(PeakAnalysis& state) { selectPeak(state, state.selectedPeak - 1); }

std::optional<PeakEditFields> selectedPeakFields(const PeakAnalysis& state, const PeakAnalysisInput& input) {
    if (state.peaks.empty()) return std::nullopt;
    const int index = std::clamp(state.selectedPeak, 1, static_cast<int>(state.peaks.size())) - 1;
    const FoundPeak& peak = state.peaks[static_cast<std::size_t>(index)];
    PeakEditFields fields;
    fields.centroidChannel = centroidOf(peak);
    fields.centroidKeV = peak.centroidKeV.value_or(0.0);
    fields.leftKeV = peak.regionStartKeV;
    fields.rightKeV = peak.regionEndKeV;
    fields.leftChannel = channelOfEnergy(input, peak.regionStartKeV);
    fields.rightChannel = channelOfEnergy(input, peak.regionEndKeV);
    return fields;
}

std::string_view peakMoveControl(PeakMove move) { return kMoveTexts[static_cast<std::size_t>(move)].control; }

std::string_view peakMoveHint(PeakMove move) { return kMoveTexts[static_cast<std::size_t>(move)].hint; }

bool MovePeak(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings,
              PeakMove move) {
    FoundPeak* peak = selected(state);
    const bool moved = peak != nullptr && applyMove(*peak, input, move);
    if (moved) {
        peak->backgroundCounts = backgroundCountsIn(input, channelOfEnergy(input, peak->regionStartKeV),
                                                    channelOfEnergy(input, peak->regionEndKeV));
        peak->backgroundCpm = perMinute(peak->backgroundCounts, input.realTimeSeconds);
    }
    ReanalysePeaks(state, input, settings);
    return moved;
}

std::optional<std::string> KillPeak(PeakAnalysis& state, const PeakAnalysisInput& input,
                                    const PeakSearchSettings& settings) {
    FoundPeak* peak = selected(state);
    if (peak == nullptr) return std::string("Nothing to delete!");
    state.peaks.erase(state.peaks.begin() + (peak - state.peaks.data()));
    renumberPeaks(state.peaks);
    if (state.peaks.empty()) state.listCommandsEnabled = false;
    selectPeak(state, state.selectedPeak);
    ReanalysePeaks(state, input, settings);
    return std::nullopt;
}

std::optional<std::string> AddPeakAt(PeakAnalysis& state, const PeakAnalysisInput& input,
                                     const PeakSearchSettings& settings, double x) {
    FoundPeak peak;
    const double e = centroidEnergyKeV(input.calibration, x);
    peak.centroidKeV = e;
    peak.centroidChannel = static_cast<double>(roundHalfEven(x));
    peak.firstCentroidChannel = *peak.centroidChannel;
    const double f = std::sqrt(e) * input.multipliers.sqrtToFwhm;
    peak.regionStartKeV = holdSignificant(e - input.multipliers.fwhmToPeak * f / 2.0, kPeakEnergyDigits);
    peak.regionEndKeV = holdSignificant(e + input.multipliers.fwhmToPeak * f / 2.0, kPeakEnergyDigits);
    const IdWindow window = idWindowOf(settings.idWindow, e, f, peak);
    peak.idWindowLowKeV = window.low;
    peak.idWindowHighKeV = window.high;
    peak.leftChannel = static_cast<int>(channelOfEnergy(input, window.low));
    peak.rightChannel = static_cast<int>(channelOfEnergy(input, window.high));
    state.peaks.push_back(peak);
    renumberPeaks(state.peaks);

    for (FoundPeak& each : state.peaks) {
        if (!quantifyByRegionSums(each, input)) return std::string("Peak must be within spectrum!");
    }
    state.peaksPresent = true;
    return std::nullopt;
}

}  // namespace mca
