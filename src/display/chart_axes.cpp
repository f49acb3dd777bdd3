// Horizontal axis positions, ranges and texts.
#include "display/chart_axes.h"

#include "core/number_text.h"

namespace mca {

bool energyAxisAvailable(const EnergyCalibration& cal) {
    return energyCalibrationKind(cal) != EnergyCalibrationKind::None;
}

XAxisMode effectiveXAxisMode(XAxisMode requested, const EnergyCalibration& cal) {
    return energyAxisAvailable(cal) ? requested : XAxisMode::Channels;
}

double channelPosition(XAxisMode mode, const EnergyCalibration& cal, double channel) {
    return mode == XAxisMode::Channels ? channel : ChannelToKeV(cal, channel);
}

std::string bottomAxisTitle(XAxisMode mode) {
    switch (mode) {
        case XAxisMode::KeV: return "Energy (keV)";
        case XAxisMode::MeV: return "Energy (MeV)";
        default: return "Channel";
    }
}

std::string bottomAxisLabel(XAxisMode mode, double position) {
    constexpr double kKeVPerMeV = 1000.0;
    constexpr int kMeVDecimals = 3;
    if (mode == XAxisMode::MeV) return formatFixed(position / kKeVPerMeV, kMeVDecimals);
    return formatFull(position);
}

AxisRange bottomAxisRange(XAxisMode mode, const EnergyCalibration& cal, int channelCount) {
    return {0.0, channelPosition(mode, cal, channelCount - 2)};
}

AxisRange unzoomedBottomAxisRange(XAxisMode mode, const EnergyCalibration& cal, int channelCount) {
    return {0.0, channelPosition(mode, cal, channelCount - 1)};
}

}  // namespace mca
