// Insertion position and whole-nuclide edits of the library table.
#include "library/library_edits.h"

#include "core/text_encoding.h"

#include <algorithm>

namespace mca {

using namespace library_column;

std::string withUpperCaseFirstLetter(std::string name) {
    if (!name.empty() && name.front() >= 'a' && name.front() <= 'z') {
        name.front() = static_cast<char>(name.front() - 'a' + 'A');
    }
    return name;
}

bool nameInUse(const LibraryTable& raw, std::string_view name) {
    return findRowNamed(raw, name, 1).has_value();
}

int nuclideInsertionRow(const LibraryTable& raw, std::string_view name) {
    const int end = std::max(rowCount(raw), 1);
    if (name == kEfficiencyNuclide) return end;
    const std::string key = utf8ToCp1252(name);
    for (int r = 1; r < rowCount(raw); ++r) {
        const std::string& other = cellOf(raw, r, kName);
        if (other == kEfficiencyNuclide || utf8ToCp1252(other) > key) return r;
    }
    return end;
}

int insertNuclide(LibraryTable& raw, const NewNuclide& n) {
    if (raw.empty()) raw.push_back(libraryTitleRow());
    const int row = nuclideInsertionRow(raw, n.name);
    const LibraryRow nuclideLine{n.name, std::string(kNuclideDisabled), n.halfLife, n.halfLifeUnit, n.element,
                                 std::string(kFlagClear), std::string(kFlagClear)};
    const LibraryRow gammaLine{n.name, std::string(kLineEnabled), n.comments, n.energy, n.yield,
                               std::string(kFlagSet), std::string(kFlagSet)};
    const auto at = raw.begin() + row;
    raw.insert(raw.insert(at, nuclideLine) + 1, gammaLine);
    return row;
}

void eraseNuclide(LibraryTable& raw, int nuclideRow) {
    const int end = blockEnd(raw, nuclideRow);
    raw.erase(raw.begin() + nuclideRow, raw.begin() + end);
}

}  // namespace mca
