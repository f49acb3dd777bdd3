// Trace points from smoothed values.
#include "display/trace_points.h"

#include <algorithm>
#include <cstddef>

namespace mca {

TracePoints mainTracePoints(const ChannelValues& d, double digitalThresholdChannels, XAxisMode mode,
                            const EnergyCalibration& cal) {
    TracePoints p;
    p.count = kMainTracePoints;
    for (int i = 0; i < p.count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        p.x[n] = channelPosition(mode, cal, i);
        p.y[n] = i >= digitalThresholdChannels ? d[n] : 0.0;
    }
    return p;
}

TracePoints staticTracePoints(const ChannelValues& d, int channelCount, XAxisMode mode,
                              const EnergyCalibration& cal) {
    TracePoints p;
    p.count = std::clamp(channelCount, 0, kMaxChannels);
    for (int i = 0; i < p.count; ++i) {
        const auto n = static_cast<std::size_t>(i);
        p.x[n] = channelPosition(mode, cal, i);
        p.y[n] = d[n];
    }
    return p;
}

}  // namespace mca
