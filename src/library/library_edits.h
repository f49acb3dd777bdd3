// Structural edits of the library table that keep its blocks whole and in order: where a new
// nuclide goes, adding it, and removing a whole nuclide.
#pragma once

#include "library/library_table.h"

#include <string>
#include <string_view>

namespace mca {

struct NewNuclide {
    std::string name;
    std::string element;
    std::string halfLife;
    std::string halfLifeUnit;
    std::string energy;
    std::string yield;
    std::string comments;
};

// The name with its first letter in upper case (ASCII letters only; other first characters stay).
std::string withUpperCaseFirstLetter(std::string name);

// True when any row after the title row carries this name.
bool nameInUse(const LibraryTable& raw, std::string_view name);

// Before the first row from row 1 whose name sorts after `name` (byte-wise, case-sensitive, as
// the file's Windows-1252 bytes), and before a nuclide "Eff", else after the last row; "Eff"
// itself always goes last. An empty library places it right after the title row.
int nuclideInsertionRow(const LibraryTable& raw, std::string_view name);

// Inserts the nuclide line (disabled) and its one gamma line (enabled, primary and secondary) at
// the insertion row, and returns the row of the nuclide line. Adds the title row to a table that
// has none.
int insertNuclide(LibraryTable& raw, const NewNuclide& nuclide);

// Removes the nuclide line at `nuclideRow` and every following row with its name.
void eraseNuclide(LibraryTable& raw, int nuclideRow);

}  // namespace mca
