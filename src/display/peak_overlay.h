// Found peaks on the analysed instrument's trace: the shading of their regions, the magenta
// shading of the peak being edited, and the marker bars at their centroids.
#pragma once

#include "analysis/found_peak.h"
#include "display/display_values.h"
#include "display/roi_shading.h"

#include <optional>
#include <span>
#include <vector>

namespace mca {

struct PeakShadingView {
    bool peakPanelShown = false;
    bool persist = false;
    bool allowEdit = false;
    std::optional<ChannelSpan> editedRegion;  // edges in the edit fields, as left .. right
};

struct PeakShading {
    std::vector<ChannelSpan> found;        // found-peak colour
    std::optional<ChannelSpan> selected;   // magenta, over the found shading
};

// With the peak panel shown or Persist on: left+1 .. right of every found peak up to
// the first row without an energy. While the panel is shown with editing allowed, the edited region (left+1 ..
// right) in magenta. Nothing otherwise: the trace keeps its plain colour.
PeakShading peakShading(std::span<const FoundPeak> peaks, const PeakShadingView& view);

struct MarkerBar {
    double x = 0;
    double height = 0;
};

// A bar per peak with a centroid, at its position by the axis mode, as high as the drawn trace at
// the centroid's channel (0 outside the trace).
std::vector<MarkerBar> peakMarkerBars(std::span<const FoundPeak> peaks, const ChannelValues& trace,
                                      XAxisMode mode, const EnergyCalibration& cal);

}  // namespace mca
