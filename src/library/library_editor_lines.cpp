// The library editor's line table: typed cells, the Use, Pri. and Sec. columns, inserted and
// deleted rows, and the Add Energy and Kill Energy commands.
#include "library/library_editor.h"

#include "core/number_text.h"
#include "core/operator.h"

namespace mca {

using namespace library_column;

namespace {

// The largest yield the add-line dialog's field takes, in percent.
constexpr double kLargestYieldPercent = 1'000'000;

bool isNumberColumn(LineColumn column) { return column == LineColumn::Energy || column == LineColumn::Yield; }

bool isNumberKey(char32_t key) {
    const bool control = key < 0x20 || key == 0x7F;
    const bool digit = key >= U'0' && key <= U'9';
    return control || digit || key == U'+' || key == U'-' || key == U'E' || key == U'e' || key == U'.';
}

bool isPositive(const std::string& text) {
    const auto value = parseFloat(text);
    return value && *value > 0;
}

}  // namespace

bool LibraryEditor::validLine(int line) const { return line >= 0 && line < static_cast<int>(m_lines.size()); }

bool LibraryEditor::acceptsKey(LineColumn column, char32_t key) {
    if (!isNumberColumn(column) || isNumberKey(key)) return true;
    m_op.beep();
    return false;
}

bool LibraryEditor::editCell(int line, LineColumn column, const std::string& text) {
    if (!validLine(line)) return false;
    LineTableRow& row = m_lines[static_cast<std::size_t>(line)];
    if (isNumberColumn(column) && !parseFloat(text)) {
        m_op.beep();
        m_op.message("Value must be a number!", {}, MessageKind::Warning);
        return false;
    }
    switch (column) {
        case LineColumn::Energy: row.energy = withoutBlanksAround(text); break;
        case LineColumn::Yield: row.yield = withoutBlanksAround(text); break;
        case LineColumn::Comments: row.comments = text; break;
        default: return false;
    }
    sortByEnergy(m_lines);
    writeBack(m_lines, m_raw, *nuclideRow());
    m_modified = true;
    return true;
}

void LibraryEditor::setLineUse(int line, bool use) {
    if (!validLine(line)) return;
    m_lines[static_cast<std::size_t>(line)].use = use;
    cellOf(m_raw, rawRowOfLine(line), kUse) = std::string(use ? kLineEnabled : kLineDisabled);
    m_modified = true;
}

// Every row of the nuclide, its own line included, gives the role up to the chosen line.
void LibraryEditor::selectRole(int line, int column, const char* message) {
    if (!validLine(line)) return;
    const int row = *nuclideRow();
    const int last = row + lineCount();
    for (int r = row; r <= last; ++r) cellOf(m_raw, r, column) = std::string(kFlagClear);
    cellOf(m_raw, rawRowOfLine(line), column) = std::string(kFlagSet);
    if (!m_lines[static_cast<std::size_t>(line)].use) {
        m_op.message(message, {}, MessageKind::Information);
        cellOf(m_raw, rawRowOfLine(line), kUse) = std::string(kLineEnabled);
    }
    m_modified = true;
    showNuclide();
}

void LibraryEditor::selectPrimary(int line) {
    selectRole(line, kPrimary, "Line must be enabled to set as primary.");
}

void LibraryEditor::selectSecondary(int line) {
    selectRole(line, kSecondary, "Line must be enabled to set as secondary.");
}

void LibraryEditor::insertLine(int line) {
    if (!nuclideRow() || line < 0 || line > lineCount()) return;
    LineTableRow blank;
    blank.name = shownName();
    m_raw.insert(m_raw.begin() + rawRowOfLine(line), rawRowOf(blank));
    m_modified = true;
    showNuclide();
}

void LibraryEditor::deleteTableRow(int line) {
    if (!validLine(line)) return;
    m_raw.erase(m_raw.begin() + rawRowOfLine(line));
    m_modified = true;
    showNuclide();
}

bool LibraryEditor::addLine(const AddLineInput& input) {
    if (!nuclideRow()) return false;
    if (!isPositive(input.energy) || !isPositive(input.yield) || *parseFloat(input.yield) > kLargestYieldPercent) {
        m_op.message("Energy and Yield must contain non-zero positive numbers to add to library!", {},
                     MessageKind::Warning);
        return false;
    }
    LineTableRow added;
    added.name = shownName();
    added.energy = withoutBlanksAround(input.energy);
    added.yield = withoutBlanksAround(input.yield);
    added.comments = input.comments;
    m_lines.push_back(added);
    sortByEnergy(m_lines);
    const int row = *nuclideRow();
    m_raw.insert(m_raw.begin() + row + 1, LibraryRow{});
    writeBack(m_lines, m_raw, row);
    m_modified = true;
    return true;
}

bool LibraryEditor::deleteLine(int line) {
    if (!validLine(line)) return false;
    if (lineCount() == 1) {
        m_op.message("This is the only energy associated with this nuclide.  To delete, use the ''Kill Isotope'' "
                     "button instead.",
                     {}, MessageKind::Warning);
        return false;
    }
    const LineTableRow& doomed = m_lines[static_cast<std::size_t>(line)];
    const std::string question = "This will permanantly delete the " + shownName() + " line at " + doomed.energy +
                                 " keV from the library.  Are you sure you want to do this?";
    if (m_op.question(question, {}, kYesNo) != Answer::Yes) return false;
    const int heir = line + 1 < lineCount() ? line + 1 : line - 1;
    LineTableRow& taker = m_lines[static_cast<std::size_t>(heir)];
    if (doomed.primary || doomed.secondary) taker.use = true;
    taker.primary = taker.primary || doomed.primary;
    taker.secondary = taker.secondary || doomed.secondary;
    m_raw[static_cast<std::size_t>(rawRowOfLine(heir))] = rawRowOf(taker);
    m_raw.erase(m_raw.begin() + rawRowOfLine(line));
    m_modified = true;
    showNuclide();
    return true;
}

}  // namespace mca
