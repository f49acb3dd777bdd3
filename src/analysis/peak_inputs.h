// What the peak search and the peak re-analysis read from other Parts: the spectrum, the loaded
// background rate, the real time, the energy calibration, the shape calibration's width model and
// the selected detector's width multipliers; the working-array type; and the net spectrum.
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"

#include <array>
#include <functional>
#include <span>

namespace mca {

// Working arrays of the search: indexed by channel from 0, 4097 entries, zero before each search.
inline constexpr int kPeakArraySize = 4097;
using PeakArray = std::array<double, kPeakArraySize>;

// a[k], or 0 for a k outside the array.
inline double peakValueAt(const PeakArray& a, long long k) {
    return k >= 0 && k < kPeakArraySize ? a[static_cast<std::size_t>(k)] : 0.0;
}

// The part of the shape calibration that peak search and fitting use: its valid flag
// and the FWHM, in channels, at a channel. The shape calibration fills it when it is built; until
// then it stays invalid and the searches use their own width rules.
struct PeakShapeModel {
    bool valid = false;
    std::function<double(double channel)> fwhmAtChannel;   // FWHM in channels

    bool usable() const { return valid && static_cast<bool>(fwhmAtChannel); }
};

// The selected detector's width multipliers (detector record fields 44 and 45).
struct DetectorPeakMultipliers {
    double sqrtToFwhm = 1.0;    // FWHM (keV) = m * sqrt(keV); also FWHM (channels) = m * sqrt(channel)
    double fwhmToPeak = 2.35;   // full peak width = w * FWHM
};

// Fills the record's empty multiplier fields with "1" and "2.35" first (as the Part says), then
// reads them; a field that does not read as a number gives its default.
DetectorPeakMultipliers detectorPeakMultipliers(DetectorRecord& record);

// Everything the search, the re-analysis and the manual edits read of the current state.
struct PeakAnalysisInput {
    std::span<const double> spectrum;         // MCA 1 counts per channel (4096 entries as held)
    std::span<const double> summedSpectrum;   // MCA 2 counts in the summed mode; empty otherwise
    std::span<const double> backgroundRate;   // counts per second per channel; empty: none loaded
    int channelCount = 4096;                  // N: 256, 512, 1024, 2048 or 4096
    double realTimeSeconds = 0;               // RT of the current acquisition, > 0
    EnergyCalibration calibration;
    PeakShapeModel shape;
    DetectorPeakMultipliers multipliers;
};

// spectrum[k] (0 outside the held spectrum).
double spectrumAt(const PeakAnalysisInput& input, long long k);
// RT * background rate[k] (0 when none is loaded or k is outside it).
double backgroundCountsAt(const PeakAnalysisInput& input, long long k);
// Sum of RT * background rate[k] for first <= k <= last.
double backgroundCountsIn(const PeakAnalysisInput& input, long long first, long long last);

// Net[i] = spectrum[i] (+ MCA 2 spectrum[i] in the summed mode) - RT * background rate[i] for
// i = 0 .. N-2; every other entry 0.
PeakArray netSpectrum(const PeakAnalysisInput& input);

// keV of a channel for the list's centroid column: ChannelToKeV held to 4 significant digits, 0
// when the conversion is negative.
double centroidEnergyKeV(const EnergyCalibration& cal, double channel);
// round(KeVToChannel(keV)): the channel of an energy as the list's edge columns are read back.
long long channelOfEnergy(const PeakAnalysisInput& input, double keV);

}  // namespace mca
