// The current library of mca: the raw table as read, and the views the analyses, the nuclide
// selectors and the nuclide data window use, all rebuilt on every load.
#pragma once

#include "library/library_table.h"

#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

class Operator;

// A primary yield that is not a number even without its surrounding blanks ends the load.
class LibraryConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One row of the search table. Cells stay empty when the nuclide has no enabled primary or
// secondary line.
struct SearchRow {
    std::string name;
    std::string primaryEnergy;     // keV
    std::string secondaryEnergy;   // keV
    std::string yieldFraction;     // primary yield / 100, shortest decimal form
    std::string yieldPercent;      // primary yield, percent
};

inline constexpr std::array<std::string_view, 5> kSearchTableTitles{"Isotope", "Primary", "Secondary", "Dec Yield",
                                                                     "% Yield"};

// An enabled nuclide's nuclide line.
struct NuclideInfo {
    std::string name;
    std::string element;
    std::string halfLife;       // the number as typed
    std::string halfLifeUnit;   // "seconds", "minutes", "hours", "days" or "years"
};

// An enabled gamma line; the texts are the file's.
struct GammaLine {
    std::string energy;     // keV
    std::string yield;      // percent
    std::string comments;
    bool primary = false;
    bool secondary = false;

    // nullopt when the text is not a number.
    std::optional<double> energyKeV() const;
    std::optional<double> yieldPercent() const;
};

class NuclideLibrary {
public:
    // Builds every view from `raw`, title row first. A primary yield that is not a plain number
    // shows its message through `op` and is used without its surrounding blanks; throws
    // LibraryConversionError when it is still not a number.
    static NuclideLibrary fromTable(LibraryTable raw, Operator& op);

    // Every line of the file, title row first, in file order.
    const LibraryTable& rawTable() const { return m_raw; }
    // Names of the enabled nuclides, in file order.
    const std::vector<std::string>& nuclideList() const { return m_nuclides; }
    // Each enabled nuclide's line followed by its enabled gamma lines, in file order.
    const LibraryTable& enabledTable() const { return m_enabled; }
    // One row per enabled nuclide, in list order.
    const std::vector<SearchRow>& searchTable() const { return m_search; }
    const SearchRow* findSearchRow(std::string_view name) const;

    // The enabled nuclide's element and half-life; nullopt for a name not in the list.
    std::optional<NuclideInfo> nuclide(std::string_view name) const;
    // The enabled gamma lines of an enabled nuclide, in file order; empty for other names.
    std::vector<GammaLine> enabledGammaLines(std::string_view name) const;

    // The nuclide the nuclide panel shows; empty when the list is.
    const std::string& selectedNuclide() const { return m_selected; }
    // False, changing nothing, for a name not in the list.
    bool selectNuclide(std::string_view name);

    // The current library: its name without folder (what LastLibrary keeps) and the path it was
    // read from. Empty until a load succeeds.
    const std::string& fileName() const { return m_fileName; }
    const std::filesystem::path& filePath() const { return m_filePath; }
    void setFile(const std::filesystem::path& path);

private:
    void buildEnabledViews();
    void buildSearchTable(Operator& op);
    SearchRow searchRowFor(int nuclideRow, Operator& op) const;
    std::optional<int> enabledRowOf(std::string_view name) const;

    LibraryTable m_raw;
    std::vector<std::string> m_nuclides;
    std::vector<int> m_nuclideRows;   // the raw row of each listed nuclide
    LibraryTable m_enabled;
    std::vector<SearchRow> m_search;
    std::string m_selected;
    std::string m_fileName;
    std::filesystem::path m_filePath;
};

}  // namespace mca
