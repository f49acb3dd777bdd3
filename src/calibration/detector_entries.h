// What the Add New Detector dialog's controls hold, and the conversions between those entries and
// a detector record.
#pragma once

#include "calibration/detector_record.h"

#include <array>
#include <string>
#include <string_view>

namespace mca {

inline constexpr std::array<std::string_view, 6> kCableUnits{"in.", "ft.", "yd.", "mm", "cm", "m"};
inline constexpr int kMinRampValue = 6;     // seconds per 100 V
inline constexpr int kMaxRampValue = 219;

// The defaults are the dialog's blank state.
struct DetectorEntries {
    std::string name;
    std::string serial;
    std::string description;
    std::string cableLength;
    std::string units{kCableUnits[0]};
    int inputCode = 0;                 // 0..4
    std::string highVoltage;           // volts
    std::string notToExceed;           // volts
    int coarseGainCode = 0;            // 0..5
    int fineGainPosition = 128;        // 0..255
    int shapingTimeCode = 2;           // 0..7
    std::string threshold = "50";      // mV
    bool rampHighVoltage = false;
    int rampValue = kMinRampValue;     // seconds per 100 V
    bool zeroHighVoltage = false;
    int channelsCode = 0;              // 0..4

    bool operator==(const DetectorEntries&) const = default;
};

// The entries offered when the database holds no detector ("Generic").
DetectorEntries genericDetectorEntries();

// Fields 0-12 and 46-48 of `record`. A code that is not a whole number in its range takes the
// blank state's value, and the ramp value is held to 6..219, as the dialog's controls would.
DetectorEntries detectorEntriesFrom(const DetectorRecord& record);

// A new record from the entries: fields 0-12, the multipliers 44 "1" and 45 "2.35", and 46-48.
DetectorRecord detectorRecordFrom(const DetectorEntries& entries);

// "Fine Gain = " and the factor (position + 1) / 256 with three decimals.
std::string fineGainText(int position);

// Coarse gain x fine-gain factor with three decimals: the "Overall Gain" value.
std::string overallGainText(int coarseGainCode, int position);

}  // namespace mca
