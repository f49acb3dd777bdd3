// Peak quantification shared by the search and the re-analysis (Parts 5.2, 5.3): the Gaussian
// amplitude search, the critical level, the baseline line, and the search's preliminary pass.
#pragma once

#include "analysis/found_peak.h"
#include "analysis/peak_inputs.h"

namespace mca {

// Gaussian area A whose height A V matches h, by the search's steps: from 0 add 10 until
// A V >= h; subtract 1 while A V > h and A V > 0; add 0.1 until A V >= h. Gives 0.1 when h <= 0.
// (The first step is taken in one jump to the same multiple of 10 the repeated addition reaches.)
// A V that cannot reach h (V = 0, or h or V not finite) gives 0.
double gaussianAmplitude(double netHeight, double v);

// V = 1 / sqrt(2 pi sigma^2), sigma = FWHM / 2.355: the height of a unit-area Gaussian.
double unitGaussianHeight(double fwhmChannels);

// CL in cpm = 2.33 sqrt((Compton cpm + background cpm) / (RT / 60)).
double criticalLevelCpm(double comptonCpm, double backgroundCpm, double realTimeSeconds);

// Value at x of the two-point linear fit through (x1, y1) and (x2, y2); y1 when the two
// x are equal (a line the fit cannot form).
struct BaselineLine {
    double slope = 0;
    double intercept = 0;
    double at(double x) const { return intercept + slope * x; }
};
BaselineLine baselineThrough(double x1, double y1, double x2, double y2);

// Sum of the line over channels left .. right, 0 when negative.
double comptonUnder(const BaselineLine& line, long long left, long long right);

// Writes net counts A and the quantities that follow from it, held to 6 significant digits: net,
// Compton and background rates; CL; gross counts = A + Compton + background; gross rate; and
// significance = net rate / CL. Compton and background counts must be set already.
void completeQuantities(FoundPeak& peak, double netCounts, double realTimeSeconds);

// The preliminary quantification, for each peak from the last to the first: baseline through
// (start, Continuum[round(start)]) and (end, Continuum[round(end)]), Compton counts under it over
// the region; h = SmoothedSpectrum[round(c)] - Continuum[round(c)]; A from the amplitude search
// with the search's FWHM; then CL, gross and significance. A peak whose significance is below a
// minimum significance above 0 is deleted.
void quantifyPreliminary(FoundPeakList& peaks, const PeakArray& smoothedSpectrum, const PeakArray& continuum,
                         double realTimeSeconds, double minSignificance);

}  // namespace mca
