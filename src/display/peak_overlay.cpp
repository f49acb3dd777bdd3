// Found-peak shading and marker bars.
#include "display/peak_overlay.h"

#include "core/number_text.h"

#include <cstddef>

namespace mca {

PeakShading peakShading(std::span<const FoundPeak> peaks, const PeakShadingView& view) {
    PeakShading shading;
    if (!view.peakPanelShown && !view.persist) return shading;
    for (const FoundPeak& peak : peaks) {
        if (!peak.centroidKeV) break;
        shading.found.push_back(roiChannelSpan(peak.leftChannel, peak.rightChannel));
    }
    if (view.peakPanelShown && view.allowEdit && view.editedRegion) {
        shading.selected = roiChannelSpan(view.editedRegion->first, view.editedRegion->last);
    }
    return shading;
}

std::vector<MarkerBar> peakMarkerBars(std::span<const FoundPeak> peaks, const ChannelValues& trace,
                                      XAxisMode mode, const EnergyCalibration& cal) {
    std::vector<MarkerBar> bars;
    for (const FoundPeak& peak : peaks) {
        if (!peak.centroidChannel) continue;
        const long long channel = roundHalfEven(*peak.centroidChannel);
        const bool inside = channel >= 0 && channel < static_cast<long long>(trace.size());
        bars.push_back({channelPosition(mode, cal, *peak.centroidChannel),
                        inside ? trace[static_cast<std::size_t>(channel)] : 0.0});
    }
    return bars;
}

}  // namespace mca
