// What the peak-analysis tests share: synthetic spectra of Gaussian peaks on a flat background, a
// sound linear energy calibration, and an input over a held spectrum.
#pragma once

#include "analysis/peak_inputs.h"

#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace mca::peak_test {

struct GaussianPeak {
    double centre = 0;       // channel
    double sigma = 10;       // channels
    double area = 10000;     // counts
};

// Counts per channel for `channels` channels (held in 4096 entries): a flat background plus the
// Gaussians, each channel holding the Gaussian density at its centre times the area.
inline std::vector<double> syntheticSpectrum(int channels, double flat, const std::vector<GaussianPeak>& peaks) {
    std::vector<double> counts(4096, 0.0);
    for (int i = 0; i < channels; ++i) {
        double value = flat;
        for (const GaussianPeak& p : peaks) {
            const double z = (i - p.centre) / p.sigma;
            value += p.area / (p.sigma * std::sqrt(2 * std::numbers::pi)) * std::exp(-z * z / 2);
        }
        counts[static_cast<std::size_t>(i)] = value;
    }
    return counts;
}

// keV = k ch + d from a sound two-point line.
inline EnergyCalibration linearCalibration(double k = 0.5, double d = 5.0) {
    EnergyCalibration cal;
    cal.pointCount = 2;
    cal.k = k;
    cal.d = d;
    cal.linearQuality = 1;
    cal.linearValid = true;
    return cal;
}

inline PeakAnalysisInput inputFor(const std::vector<double>& counts, int channels, double realTimeSeconds = 600) {
    PeakAnalysisInput input;
    input.spectrum = counts;
    input.channelCount = channels;
    input.realTimeSeconds = realTimeSeconds;
    input.calibration = linearCalibration();
    return input;
}

}  // namespace mca::peak_test
