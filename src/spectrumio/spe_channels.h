// Fitting a spectrum of any length into the channel counts an instrument can have (256 to 4096).
// A longer spectrum is summed down by the smallest whole factor that brings it within 4096
// channels; what remains is padded with empty channels up to the next supported count.
//
// Summing changes the channel numbering. New channel j holds old channels f j .. f j + f - 1,
// whose centre is old channel f j + h with h = (f - 1) / 2, so the energy of new channel j is
// E(f j + h). Written out for keV = a0 + a1 ch + a2 ch^2:
//   a0' = a0 + a1 h + a2 h^2,   a1' = f (a1 + 2 a2 h),   a2' = f^2 a2.
#pragma once

#include "core/spectrum.h"
#include "spectrumio/spe_file_reader.h"

#include <array>
#include <optional>

namespace mca {

struct FittedChannels {
    std::array<double, kMaxChannels> counts{};
    int channelCount = kMaxChannels;   // one of 256, 512, 1024, 2048, 4096
    int summingFactor = 1;             // old channels per new channel
    std::optional<EnergyPolynomial> calibration;   // in the new channel numbering
};

// ceil(channels / 4096), at least 1.
int speSummingFactor(long long channels);

// The smallest supported channel count that holds `channels` (at most 4096) channels.
int paddedChannelCount(int channels);

// The calibration of the summed channels, as above.
EnergyPolynomial summedCalibration(const EnergyPolynomial& calibration, int factor);

// The spectrum's counts and calibration in a supported channel count. The total is kept.
FittedChannels fitChannels(const SpeSpectrum& spe);

}  // namespace mca
