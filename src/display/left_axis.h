// The vertical (counts) axis: linear from 0 or logarithmic from 0.1, and the invisible placeholder
// points whose height is the least automatic maximum ("Spectrum Quick Grow").
#pragma once

#include "core/settings.h"
#include "display/chart_axes.h"
#include "display/trace_points.h"

namespace mca {

// A logarithmic axis cannot reach 0; an empty spectrum still shows 0.1 upwards.
inline constexpr double kLogAxisMinimum = 0.1;

struct PlotPoint {
    double x = 0;
    double y = 0;
};

struct AxisPlaceholders {
    PlotPoint left;    // least maximum of the left (counts) axis
    PlotPoint right;   // least maximum of the right axis (second derivative and other overlays)
};

// 0 (linear) or 0.1 (logarithmic).
double leftAxisMinimum(YAxisScale scale);

// The minimum a scroll may leave: never below 0.1 on a logarithmic axis.
double scrolledLeftAxisMinimum(YAxisScale scale, double requestedMinimum);

// Quick Grow on: left (50, 2), right (50, 100), so an empty chart starts at 0 .. 2 and grows with
// the counts. Off: left (0, 100), right (50, 100).
AxisPlaceholders axisPlaceholders(bool quickGrow);

// The unzoomed left axis: its minimum, up to the larger of the left placeholder and the highest
// point of the trace.
AxisRange leftAxisRange(YAxisScale scale, bool quickGrow, const TracePoints& trace);

}  // namespace mca
