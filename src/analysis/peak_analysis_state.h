// The state the peak search leaves and the re-analysis and manual edits work on (Parts 5.2, 5.3):
// the found-peak list, SmoothedSpectrum, Continuum, the plotted arrays, the fit curves and the
// peak-list flags. One object per main window, held on the heap (it is about 400 kB).
#pragma once

#include "analysis/found_peak.h"
#include "analysis/peak_inputs.h"

#include <array>
#include <vector>

namespace mca {

// The fitted curves of the re-analysis, by channel (0 = no curve there).
struct GaussFitCurves {
    PeakArray baseline{};                // the fit baseline of every peak
    PeakArray sum{};                     // sum over the peaks of g(k) - base(k)
    std::array<PeakArray, 4> peaks{};    // four alternating peak curves g(k)

    void clear() { *this = GaussFitCurves{}; }
};

struct PeakAnalysis {
    FoundPeakList peaks;                 // sorted by centroid energy, numbered from 1
    PeakArray smoothedSpectrum{};        // SmoothedSpectrum, kept for Parts 5.3 and 5.4
    PeakArray continuum{};               // Continuum, kept for the re-analysis
    PeakArray weighted{};                // the weighted spectrum, as plotted (before the blanking)
    PeakArray secondDerivative{};        // SecondDerivative, as plotted (before the blanking)
    std::vector<int> dipChannels;        // debug plot: the dip of every detection iteration
    int continuumRegions = 0;            // hidden field intedtNumPeaks
    GaussFitCurves fitCurves;
    bool peaksPresent = false;           // a search or an add left at least one peak
    bool listCommandsEnabled = false;    // "C&lear Peaks", "&Report..." and "&Make ROI"
    int selectedPeak = 1;                // intedtPeak ("Selected& Peak"), 1 = leftmost
    int foundPeakCount = 0;              // kept for the end-of-acquisition logic
};

}  // namespace mca
