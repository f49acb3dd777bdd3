// Energy calibration: up to fourteen (channel, keV) points of MCA 1's selected detector, fitted
// by a straight line and a parabola, and the conversions between channel and energy that every
// analysis and display uses.
#pragma once

#include "calibration/detector_record.h"
#include "core/app_state.h"

#include <optional>

namespace mca {

// ChannelToKeV's answer when no calibration applies.
inline constexpr double kNoEnergyKeV = -1000.0;
// The quadratic inverse never gives a channel above this one.
inline constexpr double kQuadraticChannelMax = 4094.0;

struct EnergyCalibration {
    int pointCount = 0;          // pairs used in the last fit
    double k = 0;                // linear slope, keV per channel
    double d = 0;                // linear intercept, keV at channel 0
    double linearQuality = 0;
    double a0 = 0, a1 = 0, a2 = 0;   // keV = a0 + a1 ch + a2 ch^2
    double quadraticQuality = 0;
    bool linearValid = false;    // k != 0 and linear quality != 0
    bool quadraticValid = false; // a0, a1 and a2 all != 0
    bool useLinear = true;       // false only with the quadratic order chosen and the quadratic fit valid
};

struct EnergyPoint {
    double channel = 0;
    double keV = 0;
};

// Calibration point k (0..13) of a record: fields 27+k (channel) and 13+k (keV). None when either
// field is empty, or when either does not read as a number: such a point is left out of the fit
// exactly as an empty one is, rather than entering it as 0.
std::optional<EnergyPoint> energyCalibrationPoint(const DetectorRecord& record, int k);

// The fits as they stand support the flag of their order.
bool linearFitSound(const EnergyCalibration& cal);     // k != 0 and linear quality != 0
bool quadraticFitSound(const EnergyCalibration& cal);  // a0, a1 and a2 all != 0

// The formula the conversions use, which is also what the spectrum axes offer:
//   Linear when linear valid and use linear, or when fewer than three points are fitted and the
//   linear fit is sound; Quadratic when quadratic valid, not use linear and at least three points;
//   None otherwise.
EnergyCalibrationKind energyCalibrationKind(const EnergyCalibration& cal);

// The active calibration is quadratic: quadratic valid, quadratic order chosen, at least 3 points.
bool isQuadraticActive(const EnergyCalibration& cal);

// keV of a channel, unclamped: keV = k ch + d, or a0 + a1 ch + a2 ch^2; -1000 when no calibration
// applies.
double ChannelToKeV(const EnergyCalibration& cal, double channel);
// ChannelToKeV / 1000 (so -1 when no calibration applies).
double ChannelToMeV(const EnergyCalibration& cal, double channel);
// Channel of an energy in 0 .. channelCount-1, unrounded; 0 when no calibration applies or the
// linear inverse ch = (E - d) / k cannot be formed. The quadratic inverse takes the positive root
// of a2 ch^2 + a1 ch + a0 - E = 0 and keeps it within 1 .. 4094.
double KeVToChannel(const EnergyCalibration& cal, double keV, int channelCount);

// Refits from the record's points (fields 13-40) and order (field 49: "2" quadratic). The caller
// passes MCA 1's selected record. Each valid flag follows its new fit: set when the fit is sound,
// cleared when it is not (fewer than two distinct channels make the line unsound), so a flag never
// vouches for coefficients it was not set for.
void RecomputeEnergyCalibration(EnergyCalibration& cal, const DetectorRecord& record);

// "Use Linear Fit" (quadratic false) or "Use Quadratic" (quadratic true), at once: the linear
// order sets use linear and linear valid; the quadratic order clears both and sets quadratic
// valid. A valid flag is only set when its fit is sound.
void chooseEnergyCalibrationOrder(EnergyCalibration& cal, bool quadratic);

}  // namespace mca
