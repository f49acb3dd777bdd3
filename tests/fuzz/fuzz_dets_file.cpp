// Fuzzes the reading of a detector database file: any bytes must load without fault into a
// database whose selection names a record, and what is saved from it must read back to the same
// file text when no cell holds one of the quote forms the grid rules cannot write.
#include "calibration/detector_database.h"
#include "core/csv_grid.h"
#include "core/text_encoding.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool representable(const std::string& cell) {
    for (std::size_t i = 0; i + 1 < cell.size(); ++i) {
        const char next = cell[i + 1];
        if (cell[i] == '"' && (next == ',' || next == '\r' || next == '\n')) return false;
        if (cell[i] == '\r' && next == '\n') return false;
    }
    return true;
}

bool allRepresentable(const mca::DetectorDatabase& db) {
    for (const mca::DetectorRecord& r : db.records()) {
        for (const std::string& cell : r.fields) {
            if (!representable(cell)) return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const mca::DetectorDatabase db = mca::DetectorDatabase::fromGrid(mca::readGridText(mca::cp1252ToUtf8(bytes)));
    if (db.size() < 1 || db.selectedIndex() < 0 || db.selectedIndex() >= db.size()) std::abort();
    if (db.detectorCount() > db.size()) std::abort();
    (void)mca::detectorListTexts(db);

    const mca::Grid grid = db.toGrid();
    if (grid.columnCount() != mca::kDetectorFieldCount) std::abort();
    if (!allRepresentable(db)) return 0;
    const std::string saved = mca::writeGridText(grid);
    const mca::DetectorDatabase again = mca::DetectorDatabase::fromGrid(mca::readGridText(saved));
    if (mca::writeGridText(again.toGrid()) != saved) std::abort();
    return 0;
}
