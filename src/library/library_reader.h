// Reading library files. Files written by hand or by other tools may use another separator than
// the comma, so the separator is detected from the first two lines.
#pragma once

#include "library/library_table.h"

#include <filesystem>
#include <string_view>

namespace mca {

// The separators a library file may use, in the order they are tried.
inline constexpr std::string_view kLibrarySeparators = ",;#\t|";

// Counts each candidate separator in the first two lines and picks the one whose count is the
// same in both and largest, the first on a tie. A file of one line is judged by that line alone.
// A candidate found in neither line cannot win, so a file that matches nothing reads as comma
// separated, the way the editor writes it.
char detectLibrarySeparator(std::string_view text);

// Rows of a library text (UTF-8). A cell beginning with a double quote runs to the next single
// double quote, line breaks included, and doubled quotes inside it are undoubled; text after the
// closing quote is kept up to the separator. A quote that never closes opens nothing: its cell is
// read as plain text, so one stray quote cannot swallow the rest of the library. Lines end with
// CR LF or LF;
// empty lines are skipped. Short rows are padded with empty cells and cells past the seventh are
// dropped.
LibraryTable readLibraryText(std::string_view text);

// The file, converted from Windows-1252. FileError when it cannot be read.
LibraryTable readLibraryFile(const std::filesystem::path& path);

}  // namespace mca
