// The editor's line table: the gamma lines of the shown nuclide, one row per raw row after its
// nuclide line, and how the rows go back into the raw table.
#pragma once

#include "library/library_table.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

enum class LineColumn { Isotope, Use, Primary, Secondary, Energy, Yield, Comments };

inline constexpr std::array<std::string_view, 7> kLineTableTitles{"Isotope", "Use", "Pri.", "Sec.",
                                                                  "Energy (keV)", "Yield (%)", "Comments"};

struct LineTableRow {
    std::string name;
    bool use = false;
    bool primary = false;
    bool secondary = false;
    std::string energy;
    std::string yield;
    std::string comments;

    bool operator==(const LineTableRow&) const = default;
};

using LineTable = std::vector<LineTableRow>;

// The `lineCount` rows after `nuclideRow`.
LineTable lineTableFrom(const LibraryTable& raw, int nuclideRow, int lineCount);

// The gamma line as the file holds it.
LibraryRow rawRowOf(const LineTableRow& row);

// Ascending energy, equal energies keeping their order; rows whose energy is not a number (a row
// just inserted) go last, so a half-typed row never lands between real lines.
void sortByEnergy(LineTable& lines);

// Writes every table row over the raw row at nuclideRow + 1 + its index.
void writeBack(const LineTable& lines, LibraryTable& raw, int nuclideRow);

}  // namespace mca
