// Where the simulated instrument puts a pulse of a given energy: the analog gain chain (high
// voltage, coarse and fine gain) and the resolution mode, and the channel a host should expect.
#pragma once

#include <array>

namespace mca::sim {

// Coarse-gain factors by index 0 to 5.
inline constexpr std::array<int, 6> kCoarseGains{2, 4, 15, 35, 125, 250};
inline constexpr int kFullChannels = 4096;

// The settings that decide the channel of an energy.
struct GainSettings {
    double hvVolts = 0;
    int coarseIndex = 2;      // 0..5, see kCoarseGains
    int fineGain = 127;       // 0..255
    int resolutionShift = 0;  // channels = 4096 >> resolutionShift, 0..4
};

// Channels per keV in 4096-channel units:
//   g = 1.0 x coarse / 15 x (fine + 1) / 128 x (HV / 800)^6
// so index 2 (x15), fine 127 and 800 V give one channel per keV. The sixth power is the
// photomultiplier's gain curve (ten dynodes with a secondary yield near V^0.6 each): at 100 V even
// the largest gains put a 1.5 MeV pulse below channel 1, so a detector without high voltage is
// silent. Negative HV counts by its magnitude; an out-of-range coarse index gives 0.
double gainChannelsPerKeV(const GainSettings& settings);

// Channel count of the resolution mode: 4096 >> resolutionShift.
int channelCount(const GainSettings& settings);

// The 4096-channel value a pulse of `energyKeV` is digitised to: round(E x g). Callers check the
// range themselves (0 to 4095 are channels; anything above is an overflow).
long digitisedFullChannel(double energyKeV, const GainSettings& settings);

// The channel, in the current resolution mode, on whose centre a peak of `energyKeV` lands; the
// value is fractional, a peak centroid of the histogram the host builds from the records:
//   channel = (E x g + 0.5) / 2^k - 0.5
// (a mode channel j gathers the 2^k rounded 4096-channel values j x 2^k .. (j + 1) x 2^k - 1).
double predictChannel(double energyKeV, const GainSettings& settings);

}  // namespace mca::sim
