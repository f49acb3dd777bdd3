// The library editor: files, the nuclide list, showing a nuclide and the nuclide's own fields.
#include "library/library_editor.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/operator.h"
#include "library/library_reader.h"
#include "library/library_writer.h"
#include "library/load_library.h"

namespace mca {

using namespace library_column;

LibraryEditor::LibraryEditor(Operator& op, std::filesystem::path libraryFolder)
    : m_op(op), m_libraryFolder(std::move(libraryFolder)) {}

bool LibraryEditor::open() {
    const FileChoice choice{"Open Library", m_libraryFolder.string(), {}, kLibraryFileFilter, kLibraryFileSuffix};
    const auto chosen = m_op.chooseOpenFile(choice);
    return chosen && openFile(libraryPath(m_libraryFolder, *chosen));
}

bool LibraryEditor::openFile(const std::filesystem::path& path) {
    LibraryTable table;
    try {
        table = readLibraryFile(path);
    } catch (const FileError&) {
        m_op.message("Cannot open file " + path.string(), {}, MessageKind::Error);
        return false;
    }
    adoptTable(std::move(table), path);
    return true;
}

// A file with no line at all still gets its title row, so that what is saved is a library.
void LibraryEditor::adoptTable(LibraryTable raw, const std::filesystem::path& path) {
    if (raw.empty()) raw.push_back(libraryTitleRow());
    m_raw = std::move(raw);
    m_path = path;
    m_open = true;
    m_modified = false;
    m_selected = nuclideRows().empty() ? -1 : 0;
    showNuclide();
}

bool LibraryEditor::save() {
    if (!m_open) return false;
    const std::filesystem::path folder = m_path.has_parent_path() ? m_path.parent_path() : m_libraryFolder;
    const FileChoice choice{"Save Library", folder.string(), m_path.filename().string(), kLibraryFileFilter,
                            kLibraryFileSuffix};
    const auto chosen = m_op.chooseSaveFile(choice);
    return chosen && saveFile(libraryPath(m_libraryFolder, *chosen));
}

bool LibraryEditor::saveFile(const std::filesystem::path& path) {
    if (!m_open) return false;
    try {
        writeLibraryFile(path, m_raw);
    } catch (const FileError&) {
        m_op.message("Cannot create file " + path.string(), {}, MessageKind::Error);
        return false;
    }
    m_path = path;
    m_modified = false;
    return true;
}

bool LibraryEditor::requestClose() {
    if (!m_modified) return true;
    const Answer answer =
        m_op.question("Changes made to the library have not been saved.  Save them now?", {}, kYesNo);
    return answer != Answer::Yes || save();
}

std::string LibraryEditor::closeCaption() const { return m_modified ? "&Cancel" : "&Close"; }

std::vector<int> LibraryEditor::nuclideRows() const {
    std::vector<int> rows;
    for (int r = 1; r < rowCount(m_raw); ++r) {
        if (isNuclideLine(m_raw[static_cast<std::size_t>(r)])) rows.push_back(r);
    }
    return rows;
}

std::vector<std::string> LibraryEditor::nuclideEntries() const {
    std::vector<std::string> entries;
    for (const int r : nuclideRows()) {
        const std::string& name = cellOf(m_raw, r, kName);
        entries.push_back(cellOf(m_raw, r, kUse) == kNuclideEnabled ? "*" + name : name);
    }
    return entries;
}

void LibraryEditor::selectEntry(int index) {
    if (index < 0 || index >= static_cast<int>(nuclideRows().size())) return;
    m_selected = index;
    showNuclide();
}

std::optional<int> LibraryEditor::nuclideRow() const {
    const std::vector<int> rows = nuclideRows();
    if (m_selected < 0 || m_selected >= static_cast<int>(rows.size())) return std::nullopt;
    return rows[static_cast<std::size_t>(m_selected)];
}

std::string LibraryEditor::shownName() const {
    const auto row = nuclideRow();
    return row ? cellOf(m_raw, *row, kName) : std::string{};
}

int LibraryEditor::lineCount() const {
    const auto row = nuclideRow();
    return row ? blockEnd(m_raw, *row) - *row - 1 : 0;
}

void LibraryEditor::showNuclide() {
    const auto row = nuclideRow();
    m_lines = row ? lineTableFrom(m_raw, *row, lineCount()) : LineTable{};
}

NuclideFields LibraryEditor::fields() const {
    const auto row = nuclideRow();
    if (!row) return {};
    const LibraryRow& cells = m_raw[static_cast<std::size_t>(*row)];
    return {cells[kUse] == kNuclideEnabled, cells[kElement], cells[kHalfLife], cells[kHalfLifeUnit]};
}

void LibraryEditor::setEnabled(bool enabled) {
    const auto row = nuclideRow();
    if (!row) return;
    cellOf(m_raw, *row, kUse) = std::string(enabled ? kNuclideEnabled : kNuclideDisabled);
    m_modified = true;
}

bool LibraryEditor::canEditNuclideFields() const { return m_allowNuclideEdit && nuclideRow().has_value(); }

void LibraryEditor::setNuclideCell(int column, const std::string& text) {
    cellOf(m_raw, *nuclideRow(), column) = text;
    m_modified = true;
}

bool LibraryEditor::setElement(const std::string& element) {
    if (!canEditNuclideFields()) return false;
    setNuclideCell(kElement, element);
    return true;
}

bool LibraryEditor::setHalfLife(const std::string& halfLife) {
    if (!canEditNuclideFields()) return false;
    if (!parseFloat(halfLife)) {
        m_op.beep();
        return false;
    }
    setNuclideCell(kHalfLife, withoutBlanksAround(halfLife));
    return true;
}

bool LibraryEditor::setHalfLifeUnit(const std::string& unit) {
    if (!canEditNuclideFields() || !isHalfLifeUnit(unit)) return false;
    setNuclideCell(kHalfLifeUnit, unit);
    return true;
}

}  // namespace mca
