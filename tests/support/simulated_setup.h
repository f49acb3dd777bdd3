// The detector table and the simulated instrument that the application, window and panel tests
// start against: serial 212345 with a NaI 2x2 at 800 V (not to exceed 1200 V, coarse gain 15,
// fine gain 127, shaping code 3), and a Cs-137 source at 3000 counts per second. Header-only: the
// suites that use it link the calibration and simulator libraries themselves.
#pragma once

#include "calibration/detector_record.h"
#include "sim/simulated_port.h"

#include <string>
#include <utility>

namespace mca::testing {

// One Dets.dat line holding that detector, selected.
inline std::string simulatedDetectorsFile() {
    DetectorRecord r;
    const std::pair<int, const char*> fields[] = {
        {field::kName, "NaI 2x2"},  {field::kSerial, "D-7"},          {field::kDescription, "Shelf"},
        {field::kCableLength, "10"}, {field::kCableUnits, "ft."},     {field::kInput, "1"},
        {field::kHighVoltage, "800"}, {field::kNotToExceed, "1200"}, {field::kCoarseGain, "2"},
        {field::kFineGain, "127"},   {field::kShapingTime, "3"},      {field::kThreshold, "20"},
        {field::kChannelsCode, "0"}, {field::kSelectedIndex, "0"}};
    for (const auto& [f, v] : fields) r[f] = v;
    std::string line;
    for (int f = 0; f < kDetectorFieldCount; ++f) line += (f ? "," : "") + (r[f].empty() ? std::string("\"\"") : r[f]);
    return line + "\r\n";
}

inline sim::InstrumentConfig simulatedCs137Instrument() {
    sim::InstrumentConfig config;
    config.identity.serialNumber = "212345";
    config.sources = {"cs137"};
    config.ratePerSecond = 3000;
    config.seed = 3;
    return config;
}

}  // namespace mca::testing
