// IdentifyPeaks: gives every found peak its identification window by the selected rule and
// relabels the list against the library's search table. Run after every re-analysis, when the
// operator picks another rule and when the FWHM multiplier changes.
#pragma once

#include "analysis/identification_settings.h"
#include "analysis/peak_analysis_state.h"
#include "analysis/peak_inputs.h"
#include "library/nuclide_library.h"

#include <span>
#include <string>
#include <vector>

namespace mca {

struct IdWindowKeV {
    double lowKeV = 0;
    double highKeV = 0;
};

// F, the peak width the FWHM rule uses at energy E (keV), in keV. With a usable shape calibration
// its FWHM function is defined on channels, so E is converted first: ch = KeVToChannel(E),
// f = FWHM-at-channel(ch), F = keV(ch + f/2) - keV(ch - f/2). Otherwise F = sqrt(E) x the
// detector's Sqrt-to-FWHM multiplier (0 for E <= 0).
double identificationFwhmKeV(const PeakAnalysisInput& input, double energyKeV);

// The window of one peak with centroid energy E:
//   keV rule      E - spread .. E + spread
//   percent rule  (1 - p/100) E .. (1 + p/100) E
//   area rule     region start energy .. region end energy (full precision)
//   FWHM rule     E - W/2 .. E + W/2, W = fwhmMult x identificationFwhmKeV(E)
// Every rule but the area rule holds its ends to 4 significant digits.
IdWindowKeV identificationWindow(const FoundPeak& peak, const IdentificationSettings& id,
                                 const PeakAnalysisInput& input);

// Recomputes every peak's window (its "ID start (keV)" and "ID end (keV)") by the selected rule,
// then LabelPeaks. Does nothing while no peaks are present. Returns the names of nuclides skipped
// by the labelling (see LabelPeaks).
std::vector<std::string> IdentifyPeaks(PeakAnalysis& state, const PeakAnalysisInput& input,
                                       const IdentificationSettings& id, std::span<const SearchRow> searchTable);

// The same on a bare list (empty: nothing happens).
std::vector<std::string> IdentifyPeaks(FoundPeakList& peaks, const PeakAnalysisInput& input,
                                       const IdentificationSettings& id, std::span<const SearchRow> searchTable);

}  // namespace mca
