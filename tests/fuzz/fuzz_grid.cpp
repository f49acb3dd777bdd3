// Fuzzes the comma-separated grid reader and the Windows-1252 edge: any bytes must read without
// fault, every byte must survive the round trip through UTF-8, and a grid read once must be
// rewritten and reread to the same cells when none of them holds the unescapable quote forms.
#include "core/csv_grid.h"
#include "core/text_encoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// A quote right before a comma or line break cannot be written so that it reads back, and a CR LF
// inside a field is written as LF.
bool representable(const std::string& cell) {
    for (std::size_t i = 0; i + 1 < cell.size(); ++i) {
        const char next = cell[i + 1];
        if (cell[i] == '"' && (next == ',' || next == '\r' || next == '\n')) return false;
        if (cell[i] == '\r' && next == '\n') return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = mca::cp1252ToUtf8(bytes);
    if (mca::utf8ToCp1252(text) != bytes) std::abort();

    const mca::Grid grid = mca::readGridText(text);
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (!representable(grid.cell(r, c))) return 0;
        }
    }
    const mca::Grid again = mca::readGridText(mca::writeGridText(grid));
    if (again.rowCount() != grid.rowCount()) std::abort();
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            if (again.cell(r, c) != grid.cell(r, c)) std::abort();
        }
    }
    return 0;
}
