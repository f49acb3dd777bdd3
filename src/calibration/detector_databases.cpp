// The four detector databases and their files.
#include "calibration/detector_databases.h"

#include "core/atomic_file.h"
#include "core/text_encoding.h"
#include "core/workstation.h"

#include <stdexcept>
#include <string>

namespace mca {

namespace {

std::size_t slot(int n) {
    if (n < 1 || n > kInstrumentCount) throw std::out_of_range("No instrument MCA " + std::to_string(n));
    return static_cast<std::size_t>(n - 1);
}

// The serial number comes from the instrument's reply; it must stay a plain file-name part.
bool namesAFile(const std::string& serial) {
    return !serial.empty() && serial.find_first_of(std::string("/\\") + '\0') == std::string::npos;
}

}  // namespace

DetectorDatabase& DetectorDatabases::database(int n) { return m_databases[slot(n)]; }

const DetectorDatabase& DetectorDatabases::database(int n) const { return m_databases[slot(n)]; }

bool DetectorDatabases::loaded(int n) const { return m_loaded[slot(n)]; }

void DetectorDatabases::markLoaded(int n) { m_loaded[slot(n)] = true; }

DetectorRecord& SelectedRecord(DetectorDatabases& databases, int n) { return databases.database(n).selected(); }

const DetectorRecord& SelectedRecord(const DetectorDatabases& databases, int n) {
    return databases.database(n).selected();
}

std::optional<std::filesystem::path> detectorDatabasePath(const Workstation& w, int n) {
    const std::string& serial = w.session(n).serialNumber;
    if (!namesAFile(serial)) return std::nullopt;
    return w.folders.calFiles / (serial + "Dets.dat");
}

void LoadDetectorDatabase(Workstation& w, DetectorDatabases& databases, int n) {
    DetectorDatabase loaded;
    if (const auto path = detectorDatabasePath(w, n)) {
        if (const auto bytes = readFileIfExists(*path)) {
            loaded = DetectorDatabase::fromGrid(readGridText(cp1252ToUtf8(*bytes)));
        }
    }
    databases.database(n) = std::move(loaded);
    databases.markLoaded(n);
    mirrorDetectorRow(w, databases, n);
}

bool SaveDetectorDatabase(const Workstation& w, const DetectorDatabases& databases, int n) {
    const auto path = detectorDatabasePath(w, n);
    if (!path) return false;
    saveGridFile(*path, databases.database(n).toGrid());
    return true;
}

bool savesDetectorDatabaseAtClose(const Workstation& w, const DetectorDatabases& databases, int n) {
    const bool open = w.session(n).open;
    switch (n) {
    case 1: return !w.state.offline || open;
    case 2: return open || databases.loaded(2);
    default: return open;
    }
}

bool saveDetectorDatabaseAtClose(const Workstation& w, const DetectorDatabases& databases, int n) {
    return savesDetectorDatabaseAtClose(w, databases, n) && SaveDetectorDatabase(w, databases, n);
}

void selectDetectorRecord(Workstation& w, DetectorDatabases& databases, int n, int index) {
    databases.database(n).setSelectedIndex(index);
    mirrorDetectorRow(w, databases, n);
}

void mirrorDetectorRow(Workstation& w, const DetectorDatabases& databases, int n) {
    w.session(n).detectorRow = databases.database(n).selectedIndex();
}

}  // namespace mca
