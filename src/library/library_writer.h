// Writing library files: comma separated, CR LF line ends, Windows-1252, seven cells a line.
#pragma once

#include "library/library_table.h"

#include <filesystem>
#include <string>

namespace mca {

// Every row with its seven cells. An empty cell is written "", a cell holding a comma or a line
// break, or beginning with a double quote, is enclosed in double quotes with each quote inside
// doubled, and any other cell is written as it is. (A leading quote must be enclosed too: the
// reader would otherwise take it as the start of a quoted cell.)
std::string writeLibraryText(const LibraryTable& table);

// Converts to Windows-1252 and replaces the file atomically; FileError on failure, with the old
// file left as it was.
void writeLibraryFile(const std::filesystem::path& path, const LibraryTable& table);

}  // namespace mca
