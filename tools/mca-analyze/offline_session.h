// A workstation with no instrument and no one at the screen, into which mca-analyze loads a
// spectrum file offline exactly as the program does. Messages go to standard error.
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"
#include "core/csv_grid.h"
#include "core/quiet_platform.h"
#include "core/workstation.h"

#include <filesystem>
#include <memory>
#include <string>

namespace mca::analyze {

class OfflineSession {
public:
    OfflineSession();

    // Loads the file (.usf, or .spe in any case of the extension) into MCA 1; false (the reason
    // on standard error) when it cannot be read.
    bool load(const std::filesystem::path& file);
    // Saves MCA 1's spectrum as the program would; throws FileError.
    void save(const std::filesystem::path& file);

    Workstation& workstation() { return *m_workstation; }
    DetectorRecord& record() { return m_record; }
    EnergyCalibration& calibration() { return m_calibration; }
    const Grid& grid() const { return m_grid; }

private:
    QuietPlatform m_quiet;
    std::unique_ptr<Workstation> m_workstation;
    DetectorRecord m_record;
    EnergyCalibration m_calibration;
    Grid m_grid;
};

}  // namespace mca::analyze
