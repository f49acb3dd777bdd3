// Line table rows to and from raw rows, and the energy order.
#include "library/line_table.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

using namespace library_column;

LineTable lineTableFrom(const LibraryTable& raw, int nuclideRow, int lineCount) {
    LineTable lines;
    for (int r = nuclideRow + 1; r <= nuclideRow + lineCount && r < rowCount(raw); ++r) {
        const LibraryRow& cells = raw[static_cast<std::size_t>(r)];
        lines.push_back({cells[kName], cells[kUse] == kLineEnabled, cells[kPrimary] == kFlagSet,
                         cells[kSecondary] == kFlagSet, cells[kEnergy], cells[kYield], cells[kComments]});
    }
    return lines;
}

LibraryRow rawRowOf(const LineTableRow& row) {
    const auto flag = [](bool on) { return std::string(on ? kFlagSet : kFlagClear); };
    return {row.name, flag(row.use), row.comments, row.energy, row.yield, flag(row.primary), flag(row.secondary)};
}

void sortByEnergy(LineTable& lines) {
    std::stable_sort(lines.begin(), lines.end(), [](const LineTableRow& a, const LineTableRow& b) {
        const auto x = parseFloat(a.energy);
        const auto y = parseFloat(b.energy);
        if (x && y) return *x < *y;
        return x.has_value() && !y.has_value();
    });
}

void writeBack(const LineTable& lines, LibraryTable& raw, int nuclideRow) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        raw[static_cast<std::size_t>(nuclideRow) + 1 + i] = rawRowOf(lines[i]);
    }
}

}  // namespace mca
