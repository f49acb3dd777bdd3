// The points a chart draws for a trace: position by the axis mode, height from the smoothed
// values, with the digital threshold blanking the low channels of the main trace.
#pragma once

#include "display/chart_axes.h"
#include "display/display_values.h"

#include <array>

namespace mca {

// The main trace draws channels 0 .. 4094.
inline constexpr int kMainTracePoints = kMaxChannels - 1;
// The digital threshold's range, channels.
inline constexpr double kMaxDigitalThreshold = 2048.0;

// Fixed storage, so a refresh allocates nothing per point.
struct TracePoints {
    std::array<double, kMaxChannels> x{};
    std::array<double, kMaxChannels> y{};
    int count = 0;
};

// Main trace: for i = 0 .. 4094, x = channelPosition(i), y = D[i] when i >= threshold, else 0.
TracePoints mainTracePoints(const ChannelValues& d, double digitalThresholdChannels, XAxisMode mode,
                            const EnergyCalibration& cal);

// Static trace: for i = 0 .. Rs-1, x = channelPosition(i), y = D[i].
TracePoints staticTracePoints(const ChannelValues& d, int channelCount, XAxisMode mode,
                              const EnergyCalibration& cal);

}  // namespace mca
