// One detector of an instrument's database: 50 text fields, kept exactly as entered or derived,
// and the key that names the detector's calibration files.
#pragma once

#include <array>
#include <string>

namespace mca {

inline constexpr int kDetectorFieldCount = 50;
inline constexpr int kCalibrationPointCount = 14;

// Field numbers of a detector record.
namespace field {
inline constexpr int kName = 0;              // manufacturer and model
inline constexpr int kSerial = 1;
inline constexpr int kDescription = 2;
inline constexpr int kCableLength = 3;
inline constexpr int kCableUnits = 4;        // "in.", "ft.", "yd.", "mm", "cm", "m"
inline constexpr int kInput = 5;             // input and polarity code 0..4
inline constexpr int kHighVoltage = 6;
inline constexpr int kNotToExceed = 7;
inline constexpr int kCoarseGain = 8;        // code 0..5
inline constexpr int kFineGain = 9;          // position 0..255
inline constexpr int kShapingTime = 10;      // code 0..7
inline constexpr int kThreshold = 11;        // mV
inline constexpr int kChannelsCode = 12;     // 0 = 4096 ... 4 = 256
inline constexpr int kFirstEnergy = 13;      // 13..26: keV of calibration points 1..14
inline constexpr int kFirstChannel = 27;     // 27..40: channel of calibration points 1..14
inline constexpr int kRoiSet = 41;
inline constexpr int kSelectedIndex = 42;    // the database's selected row, in every record
inline constexpr int kReserved = 43;
inline constexpr int kSqrtToFwhm = 44;       // default "1"
inline constexpr int kFwhmToPeak = 45;       // default "2.35"
inline constexpr int kRampHv = 46;           // "1" or "0"
inline constexpr int kRampValue = 47;        // seconds per 100 V, 6..219
inline constexpr int kZeroHv = 48;           // "1" or "0"
inline constexpr int kCalibrationOrder = 49; // "1" linear, "2" quadratic
}  // namespace field

inline constexpr const char* kDefaultSqrtToFwhm = "1";
inline constexpr const char* kDefaultFwhmToPeak = "2.35";

struct DetectorRecord {
    std::array<std::string, kDetectorFieldCount> fields;

    std::string& operator[](int f) { return fields.at(static_cast<std::size_t>(f)); }
    const std::string& operator[](int f) const { return fields.at(static_cast<std::size_t>(f)); }
    bool operator==(const DetectorRecord&) const = default;
};

// Fields 0, 1, 2, 3, 4 and 12 run together: the name of the detector's calibration files.
std::string DetectorKey(const DetectorRecord& record);

// The identity text of fields 0-4: name " #" serial ", " description ", " length " " units " cable".
std::string detectorIdentityText(const DetectorRecord& record);

// Fills empty fields 44 and 45 with "1" and "2.35".
void fillMultiplierDefaults(DetectorRecord& record);

}  // namespace mca
