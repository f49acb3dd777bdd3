// Reading the peak analyses' inputs: spectrum and background values, the net spectrum, the
// detector multipliers and the energy conversions as the found-peak list holds them.
#include "analysis/peak_inputs.h"

#include "analysis/found_peak.h"
#include "core/number_text.h"

#include <algorithm>
#include <cstddef>

namespace mca {

DetectorPeakMultipliers detectorPeakMultipliers(DetectorRecord& record) {
    fillMultiplierDefaults(record);
    DetectorPeakMultipliers m;
    m.sqrtToFwhm = parseFloat(record[field::kSqrtToFwhm]).value_or(m.sqrtToFwhm);
    m.fwhmToPeak = parseFloat(record[field::kFwhmToPeak]).value_or(m.fwhmToPeak);
    return m;
}

double spectrumAt(const PeakAnalysisInput& input, long long k) {
    if (k < 0 || k >= static_cast<long long>(input.spectrum.size())) return 0.0;
    return input.spectrum[static_cast<std::size_t>(k)];
}

double backgroundCountsAt(const PeakAnalysisInput& input, long long k) {
    if (k < 0 || k >= static_cast<long long>(input.backgroundRate.size())) return 0.0;
    return input.realTimeSeconds * input.backgroundRate[static_cast<std::size_t>(k)];
}

double backgroundCountsIn(const PeakAnalysisInput& input, long long first, long long last) {
    double sum = 0;
    for (long long k = first; k <= last; ++k) sum += backgroundCountsAt(input, k);
    return sum;
}

PeakArray netSpectrum(const PeakAnalysisInput& input) {
    PeakArray net{};
    const long long last = std::min<long long>(input.channelCount - 2, kPeakArraySize - 1);
    for (long long i = 0; i <= last; ++i) {
        double value = spectrumAt(input, i);
        if (i < static_cast<long long>(input.summedSpectrum.size())) {
            value += input.summedSpectrum[static_cast<std::size_t>(i)];
        }
        net[static_cast<std::size_t>(i)] = value - backgroundCountsAt(input, i);
    }
    return net;
}

double centroidEnergyKeV(const EnergyCalibration& cal, double channel) {
    const double keV = ChannelToKeV(cal, channel);
    return keV < 0 ? 0.0 : holdSignificant(keV, kPeakEnergyDigits);
}

long long channelOfEnergy(const PeakAnalysisInput& input, double keV) {
    return roundHalfEven(KeVToChannel(input.calibration, keV, input.channelCount));
}

}  // namespace mca
