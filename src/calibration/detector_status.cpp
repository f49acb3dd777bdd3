// Detector Status lines.
#include "calibration/detector_status.h"

#include "core/workstation.h"

namespace mca {

namespace {

void addSingleInstrument(std::vector<std::string>& lines, const DetectorRecord& d) {
    lines.push_back("Detector: " + d[field::kName]);
    lines.push_back("Serial #: " + d[field::kSerial]);
    lines.push_back("Description: " + d[field::kDescription]);
    lines.push_back("Cable Length: " + d[field::kCableLength] + " " + d[field::kCableUnits]);
}

void addNumberedInstrument(std::vector<std::string>& lines, int n, const DetectorStatusInstrument& instrument) {
    const std::string prefix = "MCA " + std::to_string(n) + " ";
    const DetectorRecord& d = instrument.detector;
    lines.push_back(prefix + "s/n: " + instrument.instrumentSerial);
    lines.push_back(prefix + "Detector: " + d[field::kName]);
    lines.push_back(prefix + "Detector s/n: " + d[field::kSerial]);
    lines.push_back(prefix + "Detector Description: " + d[field::kDescription]);
    lines.push_back(prefix + "Cable Length: " + d[field::kCableLength] + " " + d[field::kCableUnits]);
}

void addFileLines(std::vector<std::string>& lines, const DetectorStatusInput& in) {
    if (!in.liveFilePath.empty()) lines.push_back("Live File = " + in.liveFilePath);
    if (!in.backgroundFilePath.empty()) lines.push_back("Background File = " + in.backgroundFilePath);
    if (!in.staticFilePath.empty()) lines.push_back("Static Display File = " + in.staticFilePath);
}

}  // namespace

std::vector<std::string> detectorStatusLines(const DetectorStatusInput& in) {
    std::vector<std::string> lines;
    if (in.twoInstruments) {
        addNumberedInstrument(lines, 1, in.instruments[0]);
        addNumberedInstrument(lines, 2, in.instruments[1]);
    } else {
        addSingleInstrument(lines, in.instruments[0].detector);
    }
    lines.push_back(in.roiSetPath.empty() ? "NO ROI SET IS LOADED OR HAS NOT BEEN SAVED."
                                          : "Current ROI Set: " + in.roiSetPath);
    lines.push_back("Current Library File: " + in.libraryPath);
    if (in.roiSetUnsaved) lines.push_back("  ROI SET HAS NOT BEEN SAVED SINCE LAST CHANGE.");
    lines.push_back(in.energyCalibrationValid ? "Energy calibration has been performed."
                                              : "ENERGY CALIBRATION HAS NOT BEEN PERFORMED.");
    lines.push_back(in.efficiencyCalibrationLoaded ? "Efficiency calibration has been performed."
                                                   : "EFFICIENCY CALIBRATION NOT AVAILABLE.");
    addFileLines(lines, in);
    return lines;
}

void fillDetectorStatusInstruments(DetectorStatusInput& input, const Workstation& w,
                                   const DetectorDatabases& databases) {
    input.twoInstruments = w.session(2).open;
    for (int n = 1; n <= 2; ++n) {
        DetectorStatusInstrument& instrument = input.instruments[static_cast<std::size_t>(n - 1)];
        instrument.instrumentSerial = w.session(n).serialNumber;
        instrument.detector = SelectedRecord(databases, n);
    }
}

}  // namespace mca
