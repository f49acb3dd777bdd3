// Building the views of the current library, and the queries other subsystems make of them.
#include "library/nuclide_library.h"

#include "core/number_text.h"
#include "core/operator.h"

#include <algorithm>

namespace mca {
namespace {

using namespace library_column;

const std::string& useOf(const LibraryTable& table, int row) { return cellOf(table, row, kUse); }

// Plain means parseFloat would not have to drop blanks around it first.
bool isPlainNumber(const std::string& text) {
    return parseFloat(text).has_value() && withoutBlanksAround(text) == text;
}

// The primary yield to use, after the message for a text that is not a plain number.
std::string checkedYield(const std::string& text, Operator& op) {
    if (isPlainNumber(text)) return text;
    op.message("advstrgrdRadiations.Cells[4,j] = \"" + text + "\"", {}, MessageKind::Error);
    std::string trimmed = withoutBlanksAround(text);
    if (!parseFloat(trimmed)) throw LibraryConversionError("'" + trimmed + "' is not a valid floating point value");
    return trimmed;
}

}  // namespace

std::optional<double> GammaLine::energyKeV() const { return parseFloat(energy); }
std::optional<double> GammaLine::yieldPercent() const { return parseFloat(yield); }

NuclideLibrary NuclideLibrary::fromTable(LibraryTable raw, Operator& op) {
    NuclideLibrary library;
    library.m_raw = std::move(raw);
    library.buildEnabledViews();
    library.buildSearchTable(op);
    if (!library.m_nuclides.empty()) library.m_selected = library.m_nuclides.front();
    return library;
}

// A nuclide's rows run from its enabled line to the next nuclide line; a row with an empty Use
// ends them early, and only enabled rows are copied.
void NuclideLibrary::buildEnabledViews() {
    for (int r = 1; r < rowCount(m_raw); ++r) {
        if (useOf(m_raw, r) != kNuclideEnabled) continue;
        m_nuclides.push_back(cellOf(m_raw, r, kName));
        m_nuclideRows.push_back(r);
        for (int k = r; k < rowCount(m_raw); ++k) {
            const std::string& use = useOf(m_raw, k);
            if (use.empty() || (k > r && isNuclideLine(m_raw[static_cast<std::size_t>(k)]))) break;
            if (use == kLineEnabled || use == kNuclideEnabled) m_enabled.push_back(m_raw[static_cast<std::size_t>(k)]);
        }
    }
}

void NuclideLibrary::buildSearchTable(Operator& op) {
    for (const int row : m_nuclideRows) m_search.push_back(searchRowFor(row, op));
}

// A later primary or secondary line of the block overwrites an earlier one.
SearchRow NuclideLibrary::searchRowFor(int nuclideRow, Operator& op) const {
    SearchRow out;
    out.name = cellOf(m_raw, nuclideRow, kName);
    const int end = blockEnd(m_raw, nuclideRow);
    for (int k = nuclideRow; k < end; ++k) {
        if (useOf(m_raw, k) != kLineEnabled) continue;
        if (cellOf(m_raw, k, kPrimary) == kFlagSet) {
            out.primaryEnergy = cellOf(m_raw, k, kEnergy);
            out.yieldPercent = checkedYield(cellOf(m_raw, k, kYield), op);
            out.yieldFraction = formatFull(*parseFloat(out.yieldPercent) / 100.0);
        }
        if (cellOf(m_raw, k, kSecondary) == kFlagSet) out.secondaryEnergy = cellOf(m_raw, k, kEnergy);
    }
    return out;
}

const SearchRow* NuclideLibrary::findSearchRow(std::string_view name) const {
    const auto found = std::find_if(m_search.begin(), m_search.end(), [&](const SearchRow& r) { return r.name == name; });
    return found == m_search.end() ? nullptr : &*found;
}

std::optional<int> NuclideLibrary::enabledRowOf(std::string_view name) const {
    for (int r = 0; r < rowCount(m_enabled); ++r) {
        if (useOf(m_enabled, r) == kNuclideEnabled && cellOf(m_enabled, r, kName) == name) return r;
    }
    return std::nullopt;
}

std::optional<NuclideInfo> NuclideLibrary::nuclide(std::string_view name) const {
    const auto row = enabledRowOf(name);
    if (!row) return std::nullopt;
    const LibraryRow& cells = m_enabled[static_cast<std::size_t>(*row)];
    return NuclideInfo{cells[kName], cells[kElement], cells[kHalfLife], cells[kHalfLifeUnit]};
}

std::vector<GammaLine> NuclideLibrary::enabledGammaLines(std::string_view name) const {
    std::vector<GammaLine> lines;
    const auto row = enabledRowOf(name);
    if (!row) return lines;
    for (int r = *row + 1; r < rowCount(m_enabled) && useOf(m_enabled, r) == kLineEnabled; ++r) {
        const LibraryRow& cells = m_enabled[static_cast<std::size_t>(r)];
        lines.push_back({cells[kEnergy], cells[kYield], cells[kComments], cells[kPrimary] == kFlagSet,
                         cells[kSecondary] == kFlagSet});
    }
    return lines;
}

bool NuclideLibrary::selectNuclide(std::string_view name) {
    if (std::find(m_nuclides.begin(), m_nuclides.end(), name) == m_nuclides.end()) return false;
    m_selected = std::string(name);
    return true;
}

void NuclideLibrary::setFile(const std::filesystem::path& path) {
    m_filePath = path;
    m_fileName = path.filename().string();
}

}  // namespace mca
