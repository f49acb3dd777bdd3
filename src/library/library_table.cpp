// Row kinds and block boundaries of the library table.
#include "library/library_table.h"

#include <algorithm>

namespace mca {

LibraryRow libraryTitleRow() {
    return {"Nuclide", "Use", "Comments", "Energy", "yield", "Primary", "Secondary"};
}

bool isNuclideLine(const LibraryRow& row) {
    const std::string& use = row[library_column::kUse];
    return use == kNuclideEnabled || use == kNuclideDisabled;
}

std::string withoutBlanksAround(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

bool isHalfLifeUnit(std::string_view text) {
    return std::find(kHalfLifeUnits.begin(), kHalfLifeUnits.end(), text) != kHalfLifeUnits.end();
}

int blockEnd(const LibraryTable& table, int row) {
    const std::string& name = cellOf(table, row, library_column::kName);
    int end = row + 1;
    while (end < rowCount(table) && cellOf(table, end, library_column::kName) == name &&
           !isNuclideLine(table[static_cast<std::size_t>(end)])) {
        ++end;
    }
    return end;
}

std::optional<int> findRowNamed(const LibraryTable& table, std::string_view name, int from) {
    for (int r = std::max(from, 0); r < rowCount(table); ++r) {
        if (cellOf(table, r, library_column::kName) == name) return r;
    }
    return std::nullopt;
}

}  // namespace mca
