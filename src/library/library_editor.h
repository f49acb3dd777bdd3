// The editing model behind nuclida's window: the whole library held as its raw table, one nuclide
// shown at a time as a line table, and every edit written back into the raw table at once. The
// window shows what this model holds and passes the operator's actions to it; messages and
// questions go through the Operator with their fixed words.
#pragma once

#include "library/line_table.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mca {

class Operator;

// The shown nuclide's own cells.
struct NuclideFields {
    bool enabled = false;
    std::string element;
    std::string halfLife;
    std::string halfLifeUnit;
};

// The "Add Photon Energy Line" dialog.
struct AddLineInput {
    std::string energy;
    std::string yield;
    std::string comments;
};

// The "Add New Isotope to Library" dialog.
struct AddNuclideInput {
    std::string abbreviation;
    std::string element;
    std::string halfLife;
    std::string halfLifeUnit;
    std::string energy;
    std::string yield;
    std::string comments;
};

class LibraryEditor {
public:
    // `libraryFolder` is where the file dialogs start.
    LibraryEditor(Operator& op, std::filesystem::path libraryFolder);

    // --- Files ---------------------------------------------------------------------------------
    // The open dialog; a cancelled dialog changes nothing.
    bool open();
    // Reads the file, discarding the library held without asking, and shows its first nuclide.
    // A file that cannot be read reports "Cannot open file " + path and changes nothing.
    bool openFile(const std::filesystem::path& path);
    // The save dialog, starting at the current name.
    bool save();
    // Writes the raw table; the path becomes current and the modified flag clears. A file that
    // cannot be written reports "Cannot create file " + path and changes nothing.
    bool saveFile(const std::filesystem::path& path);
    // True when the window may close: nothing unsaved, "No" to saving, or "Yes" and a save that
    // went through. A save that was cancelled or failed keeps the window open with the changes.
    bool requestClose();

    // The editing commands are enabled once a library is open.
    bool isOpen() const { return m_open; }
    bool isModified() const { return m_modified; }
    const std::filesystem::path& filePath() const { return m_path; }
    // "&Close", or "&Cancel" while there are unsaved changes.
    std::string closeCaption() const;

    const LibraryTable& rawTable() const { return m_raw; }
    bool rawTableVisible() const { return m_rawVisible; }
    void toggleRawTable() { m_rawVisible = !m_rawVisible; }

    // --- The nuclide list and the shown nuclide -------------------------------------------------
    // One entry per nuclide line, in file order: "*" + name when enabled, the name when disabled.
    std::vector<std::string> nuclideEntries() const;
    // -1 when the library holds no nuclide.
    int selectedEntry() const { return m_selected; }
    // Shows the nuclide of that entry; an index out of range changes nothing.
    void selectEntry(int index);
    // The raw row of the shown nuclide's line (the window's hidden row field).
    std::optional<int> nuclideRow() const;
    std::string shownName() const;
    const LineTable& lineTable() const { return m_lines; }
    NuclideFields fields() const;

    // --- Nuclide fields ---------------------------------------------------------------------------
    void setEnabled(bool enabled);
    // Element, half-life and unit can change only while this is on.
    void setAllowNuclideEdit(bool allow) { m_allowNuclideEdit = allow; }
    bool allowNuclideEdit() const { return m_allowNuclideEdit; }
    // Each returns false, changing nothing, when editing is not allowed or no nuclide is shown.
    bool setElement(const std::string& element);
    // Only a number is taken; anything else beeps.
    bool setHalfLife(const std::string& halfLife);
    // One of "seconds", "minutes", "hours", "days", "years".
    bool setHalfLifeUnit(const std::string& unit);

    // --- The line table -------------------------------------------------------------------------
    // Whether a typed key reaches the cell: in the energy and yield columns only digits, "+", "-",
    // "E", "e", "." and control keys; any other key beeps. Other columns take every key.
    bool acceptsKey(LineColumn column, char32_t key);
    // A typed energy, yield or comment. An energy or yield that is not a number beeps, shows
    // "Value must be a number!" and leaves the cell as it was. A valid edit sorts the table by
    // energy and writes every row back. Other columns are changed through their own commands.
    bool editCell(int line, LineColumn column, const std::string& text);
    void setLineUse(int line, bool use);
    // The chosen line takes the role, every other row of the nuclide loses it; a disabled line is
    // enabled, with the message saying so.
    void selectPrimary(int line);
    void selectSecondary(int line);
    // A new disabled, unselected line at table position `line` (0 to the line count).
    void insertLine(int line);
    // Deletes the line's raw row, without a question (the grid's own row deletion).
    void deleteTableRow(int line);

    // --- Commands with dialogs --------------------------------------------------------------------
    // Adds a disabled line to the shown nuclide; false (with the message) when energy or yield is
    // not a positive number or the yield exceeds 1 000 000.
    bool addLine(const AddLineInput& input);
    // Adds a disabled nuclide with one enabled line that is primary and secondary, in name order,
    // and shows it.
    bool addNuclide(const AddNuclideInput& input);
    // Deletes the line after confirmation; its primary and secondary roles and the enabled state
    // go to the next line (the previous one for the last line). The only line is refused.
    bool deleteLine(int line);
    // Deletes the shown nuclide after confirmation and shows the entry at the same position, or
    // the one before when it was the last.
    bool deleteNuclide();

private:
    void showNuclide();
    int lineCount() const;
    int rawRowOfLine(int line) const { return *nuclideRow() + 1 + line; }
    bool validLine(int line) const;
    bool canEditNuclideFields() const;
    void setNuclideCell(int column, const std::string& text);
    void selectRole(int line, int column, const char* message);
    void adoptTable(LibraryTable raw, const std::filesystem::path& path);
    std::vector<int> nuclideRows() const;

    Operator& m_op;
    std::filesystem::path m_libraryFolder;
    LibraryTable m_raw;
    std::filesystem::path m_path;
    bool m_open = false;
    bool m_modified = false;
    bool m_allowNuclideEdit = false;
    bool m_rawVisible = false;
    int m_selected = -1;   // index among the nuclide lines of m_raw
    LineTable m_lines;
};

}  // namespace mca
