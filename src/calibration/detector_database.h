// One instrument's detector database: the records in their sorted order, the selected record, and
// the grid form that Dets.dat holds.
#pragma once

#include "calibration/detector_record.h"
#include "core/csv_grid.h"
#include "core/hardware_settings.h"

#include <string>
#include <vector>

namespace mca {

// The database always holds at least one record: a database that never held a detector is one
// blank record, as its file is one line of 50 empty fields. The selected index always names a
// record, and every change of it is written into field 42 of every record.
class DetectorDatabase {
public:
    DetectorDatabase();

    int size() const { return static_cast<int>(m_records.size()); }
    const std::vector<DetectorRecord>& records() const { return m_records; }
    // Throws std::out_of_range outside 0..size()-1.
    const DetectorRecord& record(int index) const;
    DetectorRecord& record(int index);

    int selectedIndex() const { return m_selected; }
    const DetectorRecord& selected() const { return record(m_selected); }
    DetectorRecord& selected() { return record(m_selected); }
    // Clamped to 0..size()-1, then written into field 42 of every record.
    void setSelectedIndex(int index);

    // Records the lists show: those from the first up to the first one with an empty name.
    int detectorCount() const;
    bool hasDetector() const { return detectorCount() > 0; }

    // Ascending by name, then by the following fields, in byte order; records without a name go
    // last so that a damaged row cannot hide the named ones. The selection stays on its record.
    void sort();

    // Puts `entry` in the last row when that row has no name, else appends it, then sorts. The
    // selection stays on its record. Returns the new record's index.
    int add(const DetectorRecord& entry);

    // Removes a record other than the selected one; the selection stays on its record. Returns
    // false, changing nothing, for the selected record or an index out of range.
    bool remove(int index);

    // Empties every field of every record (offline spectrum loading replaces the selected record
    // with the file's detector); rows and selection stay.
    void clearAllFields();

    // The file form: one row of 50 fields per record, or one row of 50 empty fields when no record
    // holds anything but the selected index.
    Grid toGrid() const;

    // Reads the file form. Short rows read as padded with empty fields, fields past the fiftieth
    // are dropped, and wholly empty rows are left out. The selected index comes from field 42 of
    // the first row and names a row in the file's own order, so it still names the same detector
    // after sorting; a missing or unreadable index selects the first record of the sorted order.
    // Field 42 itself stays as read until the selection next changes.
    static DetectorDatabase fromGrid(const Grid& grid);

private:
    void writeSelectedIndex();
    // Sorts and returns the old indices in their new order.
    std::vector<int> sortedOrder();

    std::vector<DetectorRecord> m_records;
    int m_selected = 0;
};

// The list text of a record: name " #" serial ", " description ", " length " " units
// " cable, " channels " channel".
std::string detectorListText(const DetectorRecord& record);

// The list texts of the records the lists show (see detectorCount).
std::vector<std::string> detectorListTexts(const DetectorDatabase& database);

// Field 12 as a resolution mode: codes 0..4 select 4096 to 256 channels, anything else 4096.
ResolutionMode detectorResolutionMode(const DetectorRecord& record);

}  // namespace mca
