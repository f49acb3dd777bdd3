// Summing and padding a spectrum into a supported channel count.
#include "spectrumio/spe_channels.h"

namespace mca {

int speSummingFactor(long long channels) {
    if (channels <= kMaxChannels) return 1;
    return static_cast<int>((channels + kMaxChannels - 1) / kMaxChannels);
}

int paddedChannelCount(int channels) {
    for (const int c : kChannelCounts) {
        if (channels <= c) return c;
    }
    return kMaxChannels;
}

EnergyPolynomial summedCalibration(const EnergyPolynomial& c, int factor) {
    const double f = factor;
    const double h = (f - 1.0) / 2.0;
    return EnergyPolynomial{c.a0 + c.a1 * h + c.a2 * h * h, f * (c.a1 + 2.0 * c.a2 * h), f * f * c.a2};
}

FittedChannels fitChannels(const SpeSpectrum& spe) {
    FittedChannels out;
    const auto n = static_cast<long long>(spe.counts.size());
    out.summingFactor = speSummingFactor(n);
    const long long summed = (n + out.summingFactor - 1) / out.summingFactor;
    out.channelCount = paddedChannelCount(static_cast<int>(summed));
    for (long long ch = 0; ch < n; ++ch) {
        out.counts[static_cast<std::size_t>(ch / out.summingFactor)] += spe.counts[static_cast<std::size_t>(ch)];
    }
    if (spe.calibration) out.calibration = summedCalibration(*spe.calibration, out.summingFactor);
    return out;
}

}  // namespace mca
