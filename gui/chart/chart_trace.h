// The numbers behind one chart's refresh, from the display layer: the counts of the chart's
// instruments, the smoothed values as drawn and the trace points; and the read-out's context.
#pragma once

#include "chart_sources.h"
#include "core/workstation.h"
#include "display/cursor_readout.h"
#include "display/trace_points.h"

namespace mca {

struct ChartTrace {
    ChannelValues counts{};   // the chart's counts (two instruments summed in the combined view)
    ChannelValues drawn{};    // D: smoothed and offset, as the trace draws it
    TracePoints points;
    int offsetChannels = 0;   // the display offset that shifted the trace (factor 1 only)
};

// Rebuilds `out` for chart k: counts -> display values (background subtracted when shown) ->
// smoothing -> points by the axis mode with the digital threshold.
void buildChartTrace(const Workstation& w, const EnergyCalibration& cal, const ChartSources& sources, int chart,
                     XAxisMode mode, ChartTrace& out);

// The static trace's points, or none without a static spectrum.
std::optional<TracePoints> staticTrace(const Workstation& w, const EnergyCalibration& cal,
                                       const ChartSources& sources, XAxisMode mode);

// What the read-out of chart k depends on; the MeV energy text is chart 1's alone.
CursorContext cursorContext(const Workstation& w, const EnergyCalibration& cal, const ChartSources& sources,
                            int chart, XAxisMode mode, const ChartTrace& trace);

}  // namespace mca
