// Reading a spectrum file into its grid: the comma-separated grid rules first, and when that
// leaves no count in row 100 (a short or oddly quoted file), a plainer reading line by line.
#pragma once

#include "core/csv_grid.h"

#include <filesystem>
#include <string_view>

namespace mca {

// Both readings of the text of a file (UTF-8).
Grid parseSpectrumText(std::string_view text);

// Line by line: the text up to the first comma, up to the next comma, and the rest of the line
// (kept only when not empty); one leading and one trailing double quote dropped from each.
Grid parseSpectrumLines(std::string_view text);

// Reads and parses a file (Windows-1252). Throws FileError "Cannot open file " + path.
Grid readSpectrumFile(const std::filesystem::path& path);

}  // namespace mca
