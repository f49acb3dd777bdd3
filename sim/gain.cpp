// The gain chain of the simulated instrument.
#include "sim/gain.h"

#include <algorithm>
#include <cmath>

namespace mca::sim {

namespace {
constexpr double kReferenceVolts = 800.0;
constexpr double kReferenceCoarse = 15.0;
constexpr double kFineDivisor = 128.0;
constexpr double kTubeExponent = 6.0;
}  // namespace

double gainChannelsPerKeV(const GainSettings& settings) {
    if (settings.coarseIndex < 0 || settings.coarseIndex >= static_cast<int>(kCoarseGains.size())) return 0;
    const double coarse = kCoarseGains[static_cast<std::size_t>(settings.coarseIndex)] / kReferenceCoarse;
    const double fine = (settings.fineGain + 1) / kFineDivisor;
    const double tube = std::pow(std::abs(settings.hvVolts) / kReferenceVolts, kTubeExponent);
    return coarse * fine * tube;
}

int channelCount(const GainSettings& settings) { return kFullChannels >> settings.resolutionShift; }

long digitisedFullChannel(double energyKeV, const GainSettings& settings) {
    // Far beyond the range every value is the same overflow; the bound keeps the conversion defined.
    constexpr double kBeyondRange = 1e9;
    const double value = std::min(std::floor(energyKeV * gainChannelsPerKeV(settings) + 0.5), kBeyondRange);
    return static_cast<long>(std::max(value, -1.0));
}

double predictChannel(double energyKeV, const GainSettings& settings) {
    const double scale = static_cast<double>(1 << settings.resolutionShift);
    return (energyKeV * gainChannelsPerKeV(settings) + 0.5) / scale - 0.5;
}

}  // namespace mca::sim
