// SaveSpectrumFile: the only writer of spectrum files. The header is built from the instrument's
// session and selected detector record and from the session-wide values of the main display.
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"
#include "core/csv_grid.h"
#include "core/workstation.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace mca {

// Values the monitoring-network mode adds (rows 62..70).
struct NetworkFileBlock {
    double countingSeconds = 0;   // the instrument's own counting time, row 15
    double betaAcqTime = 0;
    long long betaCounts = 0;
    long long doseRate = 0;       // nSv/h
    double sensitivity = 0;
    double minStabFineGain = 0;
    double maxStabFineGain = 0;
    long long fineGainAdjustments = 0;
    long long fineGainTests = 0;
    long long measuredHv = 0;
};

// The weather and GPS readings of the field station, as captured text, at start and at end.
struct WeatherFileBlock {
    std::array<std::string, 18> start;
    std::array<std::string, 18> end;
};

struct SpectrumFileSources {
    const Workstation& workstation;
    int instrument = 1;
    DetectorRecord& record;                        // instrument n's selected record
    const DetectorRecord* secondRecord = nullptr;  // MCA 2's, for the two-instrument layout
    const EnergyCalibration& calibration;
    std::string roiFile;
    std::string effCalFile;
    std::optional<NetworkFileBlock> network;
    std::optional<WeatherFileBlock> weather;
};

// The file's grid. Fills empty record fields 44 and 45 with their defaults first.
Grid buildSpectrumGrid(SpectrumFileSources& sources);

// Writes the grid to `path` atomically, Windows-1252 with CR LF. Throws FileError
// ("Cannot create file " + path and the reason).
void SaveSpectrumFile(SpectrumFileSources& sources, const std::filesystem::path& path);

// Files are written in the two-instrument layout when MCA 2 is open beside MCA 1 and MCA 1 is saved.
bool usesTwoInstrumentLayout(const Workstation& w, int instrument);

// The label texts of the rows, exactly as they stand in files.
std::string headerLabel(const Workstation& w, int row);

}  // namespace mca
