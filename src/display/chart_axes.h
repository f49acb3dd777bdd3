// The horizontal axis of the spectrum charts (channels, keV or MeV) and the point positions it
// gives each channel, with the texts of its titles and MeV labels.
#pragma once

#include "calibration/energy_calibration.h"

#include <string>

namespace mca {

enum class XAxisMode { Channels, KeV, MeV };

struct AxisRange {
    double lower = 0;
    double upper = 0;
};

// The energy modes need an energy calibration the conversions can use (linear or quadratic).
bool energyAxisAvailable(const EnergyCalibration& cal);

// The mode the charts use: the requested one, or channels when no calibration allows energies.
XAxisMode effectiveXAxisMode(XAxisMode requested, const EnergyCalibration& cal);

// x of a channel: the channel itself, or ChannelToKeV(channel) in both energy modes (the MeV mode
// keeps keV positions and shows MeV only in its labels).
double channelPosition(XAxisMode mode, const EnergyCalibration& cal, double channel);

// "Channel", "Energy (keV)" or "Energy (MeV)".
std::string bottomAxisTitle(XAxisMode mode);

// Label of a position: the value in the channel and keV modes (general format, 15 digits), and in
// the MeV mode keV / 1000 with 3 decimals (661.7 -> "0.662").
std::string bottomAxisLabel(XAxisMode mode, double position);

// After an axis-mode command: 0 .. position of channel R-2.
AxisRange bottomAxisRange(XAxisMode mode, const EnergyCalibration& cal, int channelCount);

// After Undo Zoom: 0 .. position of channel R-1.
AxisRange unzoomedBottomAxisRange(XAxisMode mode, const EnergyCalibration& cal, int channelCount);

}  // namespace mca
