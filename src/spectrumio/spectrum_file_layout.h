// The layout of a spectrum file (.usf): one line per channel, the counts in column 0 and a
// labelled header in the first rows of columns 1 and 2. Row numbers count from 0.
#pragma once

namespace mca::usf {

inline constexpr int kCountsColumn = 0;
inline constexpr int kLabelColumn = 1;
inline constexpr int kValueColumn = 2;
inline constexpr int kMca1Column = 3;   // the two-instrument layout only
inline constexpr int kMca2Column = 4;
inline constexpr int kColumns = 3;
inline constexpr int kTwoInstrumentColumns = 5;

inline constexpr int kSaved = 0;
inline constexpr int kDetector = 1;         // rows 1..5: record fields 0..4
inline constexpr int kInput = 6;
inline constexpr int kHighVoltage = 7;
inline constexpr int kNotToExceed = 8;
inline constexpr int kCoarseGain = 9;
inline constexpr int kFineGain = 10;
inline constexpr int kOverallGain = 11;
inline constexpr int kShapingTime = 12;
inline constexpr int kThreshold = 13;
inline constexpr int kFirmware = 14;
inline constexpr int kCountingTime = 15;
inline constexpr int kTotalCounts = 16;
inline constexpr int kSampleDescription = 17;
inline constexpr int kSampleQuantity = 18;
inline constexpr int kSampleUnitsRow = 19;
inline constexpr int kStarted = 20;
inline constexpr int kStopped = 21;
inline constexpr int kSerialNumber = 22;
inline constexpr int kReserved = 23;
inline constexpr int kSqrtToFwhm = 24;
inline constexpr int kFwhmToPeak = 25;
inline constexpr int kDeadTime = 30;
inline constexpr int kDeadTimeCorrected = 31;
inline constexpr int kRampHv = 36;
inline constexpr int kRampValue = 37;
inline constexpr int kZeroHv = 38;
inline constexpr int kChannels = 39;
inline constexpr int kCalibrationOrder = 40;
inline constexpr int kCalibrationHeading = 41;
inline constexpr int kFirstPoint = 42;      // rows 42..55: channel in column 1, keV in column 2
inline constexpr int kFactorsHeading = 56;
inline constexpr int kFactor0 = 57;         // linear d | quadratic a0
inline constexpr int kFactor1 = 58;         // linear k | quadratic a1
inline constexpr int kFactor2 = 59;         //          | quadratic a2
inline constexpr int kRoiFile = 60;
inline constexpr int kEffCalFile = 61;
inline constexpr int kNetworkBlock = 62;    // rows 62..70, monitoring-network mode
inline constexpr int kSecondBlock = 71;     // rows 71..84, two-instrument layout
inline constexpr int kWeatherStart = 86;    // rows 86..103, field station
inline constexpr int kWeatherEnd = 104;     // rows 104..121
inline constexpr int kWeatherRows = 18;
// A file whose column 0 is empty here was not read as a grid and is parsed line by line.
inline constexpr int kProbeRow = 100;

}  // namespace mca::usf
