// ReanalysePeaks: the final areas of the found peaks. Each peak's baseline is laid
// between the rounded continuum heights at its region edges (shared across touching peaks), a
// Gaussian whose height matches the smoothed spectrum above it gives the net area, and the
// Compton, gross, critical level and significance follow; peaks below the minimum significance
// are dropped, and the fit curves are rebuilt for the chart.
//
// Identification is the caller's next step after every ReanalysePeaks.
#pragma once

#include "analysis/peak_analysis_state.h"
#include "analysis/peak_search_settings.h"

#include <functional>
#include <vector>

namespace mca {

// Nothing happens on an empty list. Otherwise:
//  1. sort by centroid energy;
//  2. baseline start/end channel = left/right edge, heights = round(Continuum[edge]) (also the
//     edge heights);
//  3. share the baselines of touching peaks;
//  4. from the last peak to the first: c, ci = round(c); cs = baseline start (0 if negative),
//     ce = baseline end; Compton = sum over L..R of the line through (cs, Smoothed[round(cs)])
//     and (ce, Smoothed[round(ce)]) (0 if negative); fit baseline through (cs, gaussMult x start
//     height) and (ce, gaussMult x end height), b = its value at c; FWHM = shape FWHM at ci when
//     chkG and the shape calibration is valid, else sqrt(ci) x Sqrt-to-FWHM multiplier; FWHM
//     field = FWHM x 100 / ci; h = Smoothed[ci] - b; A from the amplitude search;
//     CL, gross, significance (background counts as they stand); deleted below a minimum
//     significance above 0; otherwise its fit curves are drawn over max(cs, 0) .. ce;
//  5. peaks renumbered; the three list commands enabled.
void ReanalysePeaks(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings);

// Index 0..3 of the alternating peak curve for the peak at 1-based `position`, and the toggle
// (starting at 1 for each re-analysis) that flips after every even position: even with toggle 1
// -> 0, even with toggle 0 -> 1, odd with toggle 0 -> 2, odd with toggle 1 -> 3.
int alternatingCurveIndex(int position, bool toggle);

struct CurvePoint {
    double x = 0;
    double y = 0;
};
using CurveSegments = std::vector<std::vector<CurvePoint>>;

// The points of a curve where it is non-zero, split into runs (a gap elsewhere), at x = xOf(k)
// (the channel, or its energy in the energy axis modes).
CurveSegments curveSegments(const PeakArray& curve, const std::function<double(int channel)>& xOf);

// What "Show Gauss Fit" shows: the baseline curve, the sum curve plus the baseline, the four peak
// curves.
struct GaussFitPlot {
    CurveSegments baseline;
    CurveSegments sumPlusBaseline;
    std::array<CurveSegments, 4> peaks;
};
GaussFitPlot gaussFitPlot(const GaussFitCurves& curves, const std::function<double(int channel)>& xOf);

}  // namespace mca
