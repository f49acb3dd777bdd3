// What the "Nuclide Data" window and the nuclide-line overlay show of the selected nuclide:
// texts and numbers only, the windows draw them.
#pragma once

#include "library/nuclide_library.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

inline constexpr std::string_view kNuclideDataCaption = "Nuclide Data";
inline constexpr std::array<std::string_view, 3> kNuclideDataTitles{"Energy (keV)", "Yield (%)", "Comments"};

struct NuclideDataRow {
    std::string energy;   // with its mark
    std::string yield;
    std::string comments;
};

struct NuclideDataView {
    std::string name;
    std::string halfLifeLine;   // "T½: " + half-life + " " + unit
    std::vector<NuclideDataRow> rows;   // the enabled gamma lines, in file order
};

// The energy text with "³" for a line both primary and secondary, "¹" primary only, "²" secondary
// only. The overlay's bar labels use the same text.
std::string markedEnergy(const GammaLine& line);

// Empty name and rows for a name not in the nuclide list.
NuclideDataView nuclideDataView(const NuclideLibrary& library, std::string_view name);

// One bar of the nuclide-line overlay: an enabled gamma line with readable energy and yield.
struct IsotopeLineBar {
    double energyKeV = 0;
    double yieldPercent = 0;
    std::string label;   // markedEnergy
};

// The bars of the nuclide's enabled gamma lines; a line whose energy or yield is not a number
// has no bar.
std::vector<IsotopeLineBar> isotopeLineBars(const NuclideLibrary& library, std::string_view name);

}  // namespace mca
