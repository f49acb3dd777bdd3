// Identification windows of the found peaks and the relabelling that follows.
#include "analysis/peak_identification.h"

#include "analysis/peak_labels.h"
#include "calibration/energy_calibration.h"

#include <cmath>

namespace mca {

double identificationFwhmKeV(const PeakAnalysisInput& input, double energyKeV) {
    if (input.shape.usable()) {
        const double channel = KeVToChannel(input.calibration, energyKeV, input.channelCount);
        const double fwhmChannels = input.shape.fwhmAtChannel(channel);
        return ChannelToKeV(input.calibration, channel + fwhmChannels / 2.0) -
               ChannelToKeV(input.calibration, channel - fwhmChannels / 2.0);
    }
    return energyKeV > 0 ? std::sqrt(energyKeV) * input.multipliers.sqrtToFwhm : 0.0;
}

IdWindowKeV identificationWindow(const FoundPeak& peak, const IdentificationSettings& id,
                                 const PeakAnalysisInput& input) {
    const double e = peak.centroidKeV.value_or(0.0);
    IdWindowKeV window;
    switch (id.window.rule) {
        case IdWindowRule::KeV:
            window = {e - id.window.keVSpread, e + id.window.keVSpread};
            break;
        case IdWindowRule::Percent:
            window = {(1 - id.window.percentSpread / 100.0) * e, (1 + id.window.percentSpread / 100.0) * e};
            break;
        case IdWindowRule::Area:
            return {peak.regionStartKeV, peak.regionEndKeV};
        case IdWindowRule::Fwhm: {
            const double w = id.fwhmMult * identificationFwhmKeV(input, e);
            window = {e - w / 2.0, e + w / 2.0};
            break;
        }
    }
    return {holdSignificant(window.lowKeV, kPeakEnergyDigits), holdSignificant(window.highKeV, kPeakEnergyDigits)};
}

std::vector<std::string> IdentifyPeaks(FoundPeakList& peaks, const PeakAnalysisInput& input,
                                       const IdentificationSettings& id, std::span<const SearchRow> searchTable) {
    if (peaks.empty()) return {};
    for (FoundPeak& peak : peaks) {
        const IdWindowKeV window = identificationWindow(peak, id, input);
        peak.idWindowLowKeV = window.lowKeV;
        peak.idWindowHighKeV = window.highKeV;
    }
    return LabelPeaks(peaks, searchTable);
}

std::vector<std::string> IdentifyPeaks(PeakAnalysis& state, const PeakAnalysisInput& input,
                                       const IdentificationSettings& id, std::span<const SearchRow> searchTable) {
    if (!state.peaksPresent) return {};
    return IdentifyPeaks(state.peaks, input, id, searchTable);
}

}  // namespace mca
