// FindPeaks, EstimateContinuum and ClearPeaks: the orchestration of the peak search
// over its steps, the plots it offers the spectrum view, and the unattended summary.
//
// Identification is not run here: FindPeaks ends with the re-analysis, and
// the caller then runs the identification on the list (the same seam as after every re-analysis).
#pragma once

#include "analysis/continuum_estimate.h"
#include "analysis/peak_analysis_state.h"
#include "analysis/peak_search_settings.h"

#include <functional>
#include <string>
#include <vector>

namespace mca {

// Empties the list (found and added peaks), every peak array and curve, selects peak 1, disables
// the three list commands and clears the peaks-present flag.
void ClearPeaks(PeakAnalysis& state);

// The continuum of the current spectrum into state.continuum (Parts 5.5 and 6.5 call it too).
ContinuumResult EstimateContinuum(PeakAnalysis& state, const PeakAnalysisInput& input,
                                  const PeakSearchSettings& settings);

// The whole search on the current spectrum: ClearPeaks; the net spectrum; SmoothedSpectrum,
// Weighted and SecondDerivative; EstimateContinuum; the detection loop; the list clean-up; then,
// with at least one peak, the preliminary quantification and ReanalysePeaks. Selects
// peak 1; sets peaks-present when a peak remains. Returns the number of peaks, which is also kept
// in state.foundPeakCount. The caller runs the identification afterwards.
int FindPeaks(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings);

// SecondDerivative x -10 for channels 0 .. 4094: the plot on the right axis.
std::vector<double> secondDerivativePlot(const PeakAnalysis& state);

// The unattended summary, after the re-analysis and identification of an end-of-acquisition
// search: sorts the list by net rate, descending; builds the memo lines ("Acquisition time = "
// trunc(RT) " sec", "Num peaks = " count, then for at most 10 peaks "Peak Energy i = ", "Peak Chn
// = ", "Peak ID = ", "ncpm = ", "cmptn cpm = " and an empty line); calls logPeaks (the field logs'
// LogPeaks) with the list in that order, also when no peak was found; sorts by energy again.
std::vector<std::string> unattendedSummary(PeakAnalysis& state, double realTimeSeconds,
                                           const std::function<void(const FoundPeakList&)>& logPeaks);

}  // namespace mca
