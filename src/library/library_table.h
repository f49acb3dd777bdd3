// The nuclide library as its file holds it: rows of seven text cells, the title row first, each
// nuclide a nuclide line followed by its gamma lines. Both mca and nuclida work on this table.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

inline constexpr int kLibraryColumnCount = 7;

using LibraryRow = std::array<std::string, kLibraryColumnCount>;
using LibraryTable = std::vector<LibraryRow>;

// Cell positions. A nuclide line reuses the gamma-line cells 3 to 5 for its half-life, its unit
// and its element, so both names are given.
namespace library_column {
inline constexpr int kName = 0;
inline constexpr int kUse = 1;
inline constexpr int kComments = 2;
inline constexpr int kEnergy = 3;
inline constexpr int kYield = 4;
inline constexpr int kPrimary = 5;
inline constexpr int kSecondary = 6;
inline constexpr int kHalfLife = 2;
inline constexpr int kHalfLifeUnit = 3;
inline constexpr int kElement = 4;
}  // namespace library_column

// The Use cell tells the two kinds of line apart.
inline constexpr std::string_view kNuclideEnabled = "11";
inline constexpr std::string_view kNuclideDisabled = "10";
inline constexpr std::string_view kLineEnabled = "1";
inline constexpr std::string_view kLineDisabled = "0";
inline constexpr std::string_view kFlagSet = "1";
inline constexpr std::string_view kFlagClear = "0";

// A nuclide named so is kept after all others by the editor.
inline constexpr std::string_view kEfficiencyNuclide = "Eff";

inline constexpr std::array<std::string_view, 5> kHalfLifeUnits{"seconds", "minutes", "hours", "days", "years"};

// Nuclide,Use,Comments,Energy,yield,Primary,Secondary
LibraryRow libraryTitleRow();

// Library files as both programs offer them in their file dialogs.
inline constexpr const char* kLibraryFileFilter = "Library Files (*.lib)|*.lib";
inline constexpr const char* kLibraryFileSuffix = "lib";

bool isNuclideLine(const LibraryRow& row);

// The text without the blanks and tabs around it: numbers are stored so, since mca reads a
// primary yield with blanks around it as damaged.
std::string withoutBlanksAround(std::string_view text);
bool isHalfLifeUnit(std::string_view text);

// The row after the block that starts at `row`: the first later row with another name or a
// nuclide line of its own (a damaged file may repeat a name), or the end.
int blockEnd(const LibraryTable& table, int row);

// The first row at or after `from` whose name is `name`.
std::optional<int> findRowNamed(const LibraryTable& table, std::string_view name, int from = 1);

inline const std::string& cellOf(const LibraryTable& table, int row, int column) {
    return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}
inline std::string& cellOf(LibraryTable& table, int row, int column) {
    return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}
inline int rowCount(const LibraryTable& table) { return static_cast<int>(table.size()); }

}  // namespace mca
