// The counts axis: minimum, scrolling floor, placeholders and automatic range.
#include "display/left_axis.h"

#include <algorithm>
#include <cstddef>

namespace mca {

double leftAxisMinimum(YAxisScale scale) {
    return scale == YAxisScale::Logarithmic ? kLogAxisMinimum : 0.0;
}

double scrolledLeftAxisMinimum(YAxisScale scale, double requestedMinimum) {
    return scale == YAxisScale::Logarithmic ? std::max(requestedMinimum, kLogAxisMinimum)
                                            : requestedMinimum;
}

AxisPlaceholders axisPlaceholders(bool quickGrow) {
    constexpr double kQuickGrowHeight = 2.0;
    constexpr double kFullHeight = 100.0;
    constexpr double kQuickGrowX = 50.0;
    const PlotPoint right{kQuickGrowX, kFullHeight};
    if (quickGrow) return {{kQuickGrowX, kQuickGrowHeight}, right};
    return {{0.0, kFullHeight}, right};
}

AxisRange leftAxisRange(YAxisScale scale, bool quickGrow, const TracePoints& trace) {
    double highest = axisPlaceholders(quickGrow).left.y;
    for (int i = 0; i < trace.count; ++i) highest = std::max(highest, trace.y[static_cast<std::size_t>(i)]);
    return {leftAxisMinimum(scale), highest};
}

}  // namespace mca
