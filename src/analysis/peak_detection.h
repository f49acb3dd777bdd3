// The search's smoothed second derivative and its detection loop: the deepest dip of
// the second derivative is taken as a peak, its centroid and region found, the region blanked,
// and the next dip taken, until no dip is deeper than the sensitivity.
#pragma once

#include "analysis/found_peak.h"
#include "analysis/peak_inputs.h"

#include <vector>

namespace mca {

struct DerivativeArrays {
    PeakArray smoothedSpectrum{};   // SmoothedSpectrum: smoothing A of Net
    PeakArray weighted{};           // Weighted[i] = i^e SmoothedSpectrum[i], i = 0..4095
    PeakArray secondDerivative{};   // SecondDerivative
};

// 1. SmoothedSpectrum = A(Net); 2. Weighted; 3. D1 = first difference of Weighted (0..4093),
// S2 = A(D1); 4. D2 = first difference of S2 (0..4092), S3 = A(D2); 5. SecondDerivative = A(S3).
// `out` must be zero on entry (the arrays are zero before each search).
void buildSecondDerivative(const PeakArray& net, int channelCount, double exponent, DerivativeArrays& out);

struct DetectionSettings {
    double sensitivity = 1.0;
    bool useShapeCalibration = true;   // chkG
    double slopeLimit = 0.0;           // fltSlope
};

struct DetectionResult {
    FoundPeakList peaks;               // accepted candidates, the last accepted first
    std::vector<int> dipChannels;      // d of every iteration (the debug plot's dip points)
    int iterations = 0;
};

// The detection loop. Reads SmoothedSpectrum and Continuum, and blanks Weighted and
// SecondDerivative over each found region (so both are changed). While the least
// SecondDerivative[0..4096] is below -sensitivity and at most N iterations ran:
//  1. d = first channel 0..4090 holding the minimum;
//  2. centroid u = the highest Weighted within d +- round(sqrt(d)/5) (ties keep the earlier);
//  3. region [L, R] and FWHM (channels): with the shape calibration, FWHM(u), sigma = FWHM/2.355,
//     w = 5.594 sigma, L = u - trunc(w/2), R = u + round(w/2); otherwise from the half-maximum
//     walks, the symmetry rule, and for broad peaks the slope walks (17-point line fits);
//  4. SecondDerivative and Weighted = 0 at u and over L-1 .. R;
//  5. accepted when u >= 1, R - L > trunc(sqrt(u)) and 10 trunc(sqrt(u)) > FWHM, and inserted at
//     the head of the list with its energies, edges, baseline (L, R, Continuum[L], Continuum[R])
//     and background counts sum RT * background rate[L..R];
//  6. an arithmetic failure (a line fit that cannot be formed) ends the loop, keeping the peaks.
DetectionResult detectPeaks(const PeakAnalysisInput& input, const DetectionSettings& settings,
                            const PeakArray& smoothedSpectrum, const PeakArray& continuum, PeakArray& weighted,
                            PeakArray& secondDerivative);

}  // namespace mca
