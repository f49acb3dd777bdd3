// What the simulated instrument is and how it is set: its identity, which the host reads at open,
// and every setting and mode the commands change. Tests read it to see what a command did.
#pragma once

#include "sim/gain.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mca::sim {

inline constexpr int kLowBaud = 115200;
inline constexpr int kHighBaud = 256000;
inline constexpr int kHvCodeFullScale = 16383;

struct InstrumentIdentity {
    std::string serialNumber = "210042";  // "2" and five digits
    std::string firmware = "1.08";
    bool negativePolarity = false;
    int hvUnitVolts = 2000;  // full-scale volts of the HV supply
    double batteryVolts = 9.0;
};

struct InstrumentConfig {
    InstrumentIdentity identity;
    std::vector<std::string> sources{"cs137"};  // names as gamma_sources.h knows them
    double ratePerSecond = 2000;                 // detector pulses, threshold not yet applied
    std::uint64_t seed = 1;
};

struct InstrumentState {
    InstrumentIdentity identity;
    int hvCode = 0;                 // 14-bit HV code, volts = code / 16383 x HV unit
    bool hvOffPrepared = false;     // "p" seen since the last "V"
    int coarseIndex = 2;            // 0..5, gains 2, 4, 15, 35, 125, 250
    int fineGain = 127;             // 0..255
    int thresholdFull = 40;         // Tv = threshold x 2, 12 bits
    int offsetFull = 100;           // Ov = offset x 2, 12 bits
    int input = 0;                  // 0..4
    int shapingIndex = 3;           // 0..8
    int resolutionShift = 0;        // "M" digit - 1; channels = 4096 >> shift
    int smoothing = 0;              // 0..4
    bool alarm0 = false;
    bool alarm1 = false;
    bool twoByte = false;
    bool modeK = false;
    int baud = kLowBaud;
    bool acquiring = false;
    bool histogramOnly = false;     // since "Y": acquisitions fill the histogram, no records are sent

    double hvVolts() const { return static_cast<double>(hvCode) / kHvCodeFullScale * identity.hvUnitVolts; }
    int threshold() const { return thresholdFull / 2; }
    int offset() const { return offsetFull / 2; }
    int channels() const { return kFullChannels >> resolutionShift; }
    GainSettings gain() const { return {hvVolts(), coarseIndex, fineGain, resolutionShift}; }
    // The 10-bit reading of the battery: volts / 12 x 1024, rounded, within 0..1023.
    int batteryReading() const;
};

}  // namespace mca::sim
