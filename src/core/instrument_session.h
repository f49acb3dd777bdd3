// Everything the workstation knows about one instrument (MCA 1 to MCA 4): its link, identity,
// settings, detector and the spectrum being built for it.
#pragma once

#include "core/hardware_settings.h"
#include "core/rate_history.h"
#include "core/serial_port.h"
#include "core/spectrum.h"

#include <memory>
#include <string>

namespace mca {

inline constexpr int kInstrumentCount = 4;
inline constexpr int kDefaultHvFullScale = 2000;

struct BatteryReading {
    double volts = 0.0;
    int raw = 0;   // the 10-bit reading
};

struct InstrumentSession {
    bool open = false;                   // the link is open and the instrument answered
    int comNumber = 0;                   // "COM" + comNumber
    std::unique_ptr<SerialPort> port;    // the open link, or null
    std::string rxCarry;                 // 0..2 bytes of stream kept between ticks
    int errorCount = 0;                  // byte positions rejected by the event decoder
    bool twoByteDecoding = false;        // MCA 1 only: the stream comes as two-byte records
    std::string serialNumber;            // "2" + five digits
    std::string alias;                   // from the serial number's alias file, or empty
    std::string firmwareText;
    double firmwareRevision = 0.0;
    int hvFullScale = kDefaultHvFullScale;   // volts of the full 14-bit HV code
    bool hvNegative = false;
    int detectorRow = 0;                 // selected row of this instrument's detector table
    HardwareSettings settings;
    double hvApplied = 0.0;              // last HV written, restored by "Enable High Voltage"
    Spectrum spectrum;
    BatteryReading battery;
    RateHistory rate;
    double serialFactor = 1.0;           // credited counts per decoded event in the last tick
    double deadTimePercent = 0.0;        // pulses not digitised in the last tick, percent

    // The alias as captions show it: " (" + alias + ") ", or empty without one.
    std::string aliasText() const { return alias.empty() ? std::string{} : " (" + alias + ") "; }
};

}  // namespace mca
