// The text of the "Detector Status" window. The values other than the detectors belong to other
// subsystems (ROI sets, the library, calibrations, spectrum files), so the caller gathers them.
#pragma once

#include "calibration/detector_databases.h"

#include <array>
#include <string>
#include <vector>

namespace mca {

class Workstation;

struct DetectorStatusInstrument {
    std::string instrumentSerial;
    DetectorRecord detector;
};

struct DetectorStatusInput {
    bool twoInstruments = false;
    std::array<DetectorStatusInstrument, 2> instruments;   // MCA 1, MCA 2
    std::string roiSetPath;           // empty when no ROI set is named
    bool roiSetUnsaved = false;
    std::string libraryPath;
    bool energyCalibrationValid = false;
    bool efficiencyCalibrationLoaded = false;
    std::string liveFilePath;         // empty when no spectrum file is named
    std::string backgroundFilePath;   // empty when no background is loaded
    std::string staticFilePath;       // empty when no static spectrum is displayed
};

// The window's lines, in order.
std::vector<std::string> detectorStatusLines(const DetectorStatusInput& input);

// Fills the instrument part of `input`: two instruments when MCA 2 is open, each with its serial
// number and selected detector record.
void fillDetectorStatusInstruments(DetectorStatusInput& input, const Workstation& w,
                                   const DetectorDatabases& databases);

}  // namespace mca
