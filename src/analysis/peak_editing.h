// Manual peak editing: selecting a peak, moving its centroid or edges by 1 or 10
// channels, "&Kill Peak", and AddPeakAt (a double-click on the spectrum).
//
// The panel's enabling ("&Allow Edit" for the moves, the panel shown and "&Double Click Adds
// Peak" for AddPeakAt) is the caller's. After a move or a kill the caller runs the identification
// on the re-analysed list; after an add it relabels and redraws.
#pragma once

#include "analysis/peak_analysis_state.h"
#include "analysis/peak_search_settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace mca {

// The selected peak: intedtPeak, clamped to 1 .. the list length (1 for an empty list).
void selectPeak(PeakAnalysis& state, int number);
void selectNextPeak(PeakAnalysis& state);       // arrow button, Up and Right keys
void selectPreviousPeak(PeakAnalysis& state);   // arrow button, Down and Left keys

// What the panel shows for the selected peak while editing.
struct PeakEditFields {
    double centroidChannel = 0;
    double centroidKeV = 0;
    double leftKeV = 0;                // region start energy
    double rightKeV = 0;               // region end energy
    long long leftChannel = 0;         // round(KeVToChannel(region start energy))
    long long rightChannel = 0;        // round(KeVToChannel(region end energy))
};
std::optional<PeakEditFields> selectedPeakFields(const PeakAnalysis& state, const PeakAnalysisInput& input);

enum class PeakMove {
    CentroidUp, CentroidUpUp, CentroidDown, CentroidDownDown,
    LeftEdgeDown, LeftEdgeDownDown, LeftEdgeUp, LeftEdgeUpUp,
    RightEdgeDown, RightEdgeDownDown, RightEdgeUp, RightEdgeUpUp,
};

// The speed button of a move and its hint ("Move the centroid right by 1 channel." ...).
std::string_view peakMoveControl(PeakMove move);
std::string_view peakMoveHint(PeakMove move);

// Moves the selected peak when the move's condition holds (c centroid, L and R edges, N channels;
// "the channel of" an energy is round(KeVToChannel)):
//   centroid +1 when c < channel(region end), +10 when c + 10 < channel(region end),
//   -1 when c >= channel(region start), -10 when c - 10 >= channel(region start);
//   L -1 when L > 0, -10 when L > 10, +1 when L < N-1 and L < c, +10 when L+10 < N-1 and L+10 < c;
//   R -1 when R > 0 and c+1 < R, -10 when R > 0 and c+10 < R, +1 when R < N-1, +10 when R+10 < N-1.
// A centroid move sets the centroid channel, its copy and its energy (4 significant digits); an
// edge move sets the edge and its region energy (4 significant digits); either then recomputes
// the peak's background counts over channel(region start) .. channel(region end). Every move,
// allowed or not, ends with ReanalysePeaks. Returns whether the move was made.
bool MovePeak(PeakAnalysis& state, const PeakAnalysisInput& input, const PeakSearchSettings& settings,
              PeakMove move);

// "&Kill Peak": deletes the selected peak and runs ReanalysePeaks. "Nothing to delete!" on an
// empty list. Deleting the only peak disables the three list commands.
std::optional<std::string> KillPeak(PeakAnalysis& state, const PeakAnalysisInput& input,
                                    const PeakSearchSettings& settings);

// AddPeakAt(x), x the double-clicked position as a channel: appends a peak (unsorted) with
// E = keV(x) (4 significant digits), centroid round(x), FWHM F = sqrt(E) x Sqrt-to-FWHM (keV),
// region E -+ FWHM-to-peak x F / 2 (4 significant digits), the identification window of the
// current rule and edges at its ends; then quantifies every peak of the list by region sums over
// b .. e, the channels of its region energies: gross = sum of the raw spectrum, background =
// sum RT x background rate, Compton = mean(spectrum[b-2..b+2]) and mean(spectrum[e-2..e+2])
// averaged, times e - b + 1; net = gross - background - Compton. Marks peaks present. No
// re-analysis runs. "Peak must be within spectrum!" when a sum would read outside the spectrum;
// the list keeps what was done before.
std::optional<std::string> AddPeakAt(PeakAnalysis& state, const PeakAnalysisInput& input,
                                     const PeakSearchSettings& settings, double x);

}  // namespace mca
