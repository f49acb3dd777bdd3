// The offline half of loading a spectrum file, and the totals both halves show afterwards.
#pragma once

#include "spectrumio/spectrum_file_loader.h"

namespace mca {

// The file's detector, settings, calibration and counts replace the session's.
bool loadOffline(SpectrumLoadTarget& target, const Grid& grid, const std::string& path);

// Both loads take the sample data, the acquisition's start and stop texts and the file name.
void takeSampleAndTimes(Workstation& w, const Grid& grid, const std::string& path);

// Recounts the instrument's total, takes the real time from the file and shows counts, rate and
// "Spectrum Loaded"; clears the found peaks.
void showLoadedTotals(SpectrumLoadTarget& target, const Grid& grid);

}  // namespace mca
