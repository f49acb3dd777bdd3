// The detector databases of MCA 1 to MCA 4 and their Dets.dat files. The main window owns one
// `DetectorDatabases` beside the Workstation for the life of the process.
#pragma once

#include "calibration/detector_database.h"
#include "core/instrument_session.h"

#include <array>
#include <filesystem>
#include <optional>

namespace mca {

class Workstation;

class DetectorDatabases {
public:
    // Instrument n, 1..4. Throws std::out_of_range for any other number.
    DetectorDatabase& database(int n);
    const DetectorDatabase& database(int n) const;

    // The database was loaded this session, that is, its instrument was opened at some point.
    bool loaded(int n) const;
    void markLoaded(int n);

private:
    std::array<DetectorDatabase, kInstrumentCount> m_databases;
    std::array<bool, kInstrumentCount> m_loaded{};
};

// The record at instrument n's selected index. Fields written into it (HV ramp options, NTE
// voltage, ROI set name, multipliers, calibration points and order) reach Dets.dat with the next
// save of the database.
DetectorRecord& SelectedRecord(DetectorDatabases& databases, int n);
const DetectorRecord& SelectedRecord(const DetectorDatabases& databases, int n);

// CalFiles/ + serial number + "Dets.dat" of instrument n; nullopt when the serial number cannot
// name a file (empty, or holding a path separator or a NUL).
std::optional<std::filesystem::path> detectorDatabasePath(const Workstation& w, int n);

// Reads instrument n's Dets.dat into its database, sorted, with the stored selection; a missing
// file gives a database without detectors. Marks the database loaded and mirrors the selection
// into the session's detectorRow. Throws FileError when the file exists but cannot be read; the
// database is then left as it was.
void LoadDetectorDatabase(Workstation& w, DetectorDatabases& databases, int n);

// Writes instrument n's database to its Dets.dat atomically. Returns false, writing nothing, when
// the serial number cannot name a file. Throws FileError when the file cannot be written.
bool SaveDetectorDatabase(const Workstation& w, const DetectorDatabases& databases, int n);

// Whether the close of the program saves instrument n's database: MCA 1's unless offline with
// MCA 1 not open, MCA 2's when a second instrument is or was open, MCA 3's and MCA 4's when open.
bool savesDetectorDatabaseAtClose(const Workstation& w, const DetectorDatabases& databases, int n);

// The close sequence's save of instrument n's database: saves it when the rule above says so.
// Returns whether a file was written; throws FileError when writing fails.
bool saveDetectorDatabaseAtClose(const Workstation& w, const DetectorDatabases& databases, int n);

// Sets instrument n's selected index (clamped, written into every record's field 42) and mirrors
// it into the session's detectorRow.
void selectDetectorRecord(Workstation& w, DetectorDatabases& databases, int n, int index);

// Copies instrument n's selected index into the session's detectorRow.
void mirrorDetectorRow(Workstation& w, const DetectorDatabases& databases, int n);

}  // namespace mca
