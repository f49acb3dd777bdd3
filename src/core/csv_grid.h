// The comma-separated grid behind every grid file: spectrum files, detector and shape tables,
// ROI and efficiency files, scaling logs. Files are Windows-1252 with CR LF line ends and are read
// by other tools, so the quoting rules below must not change.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

// Rows x columns of UTF-8 text cells. Every row holds columnCount() cells, so a row read from a
// file with missing trailing fields has them as empty cells.
class Grid {
public:
    Grid() = default;
    Grid(int rows, int columns);

    int rowCount() const;
    int columnCount() const;

    // Out of range gives an empty text, so absent fields read like empty ones.
    const std::string& cell(int row, int column) const;
    // Grows the grid as needed; a negative index throws std::out_of_range.
    void setCell(int row, int column, std::string text);
    // Out of range gives an empty row.
    const std::vector<std::string>& row(int r) const;

    // Cells beyond the new size are dropped; new cells are empty.
    void resize(int rows, int columns);
    // Widens every row when the new one is longer.
    void appendRow(std::vector<std::string> cells);

private:
    void widen(std::size_t columns);

    std::vector<std::vector<std::string>> m_rows;
    std::size_t m_columnCount = 0;
};

// Every row with all columnCount() fields, each line ended by CR LF.
std::string writeGridText(const Grid& grid);
Grid readGridText(std::string_view text);

// Converts to Windows-1252 and replaces the file atomically; FileError on failure.
void saveGridFile(const std::filesystem::path& path, const Grid& grid);
// Reads and converts from Windows-1252; FileError on failure.
Grid loadGridFile(const std::filesystem::path& path);

}  // namespace mca
