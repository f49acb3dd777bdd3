// ROI and selected-ROI shading spans.
#include "display/roi_shading.h"

#include <algorithm>
#include <cmath>

namespace mca {
namespace {

bool isWhole(const std::optional<double>& value) {
    return value && std::isfinite(*value) && std::floor(*value) == *value;
}

std::optional<ChannelSpan> wholeChannelSpan(const RoiSlot& slot) {
    if (!isWhole(slot.startChannel) || !isWhole(slot.endChannel)) return std::nullopt;
    return roiChannelSpan(static_cast<int>(*slot.startChannel), static_cast<int>(*slot.endChannel));
}

bool presentNonZero(const std::optional<double>& value) { return value && *value != 0.0; }

}  // namespace

ChannelSpan roiChannelSpan(int startChannel, int endChannel) { return {startChannel + 1, endChannel}; }

AxisRange spanPositions(ChannelSpan span, XAxisMode mode, const EnergyCalibration& cal) {
    return {channelPosition(mode, cal, span.first), channelPosition(mode, cal, span.last)};
}

std::vector<ChannelSpan> roiShading(std::span<const RoiSlot> slots, bool showRois) {
    std::vector<ChannelSpan> spans;
    if (!showRois) return spans;
    const auto n = std::min(slots.size(), static_cast<std::size_t>(kMaxRoiSlots));
    for (const RoiSlot& slot : slots.first(n)) {
        if (!slot.startChannel) break;
        const auto span = wholeChannelSpan(slot);
        if (!span) break;
        spans.push_back(*span);
    }
    return spans;
}

std::optional<ChannelSpan> selectedRoiShading(const SelectedRoiView& view) {
    if (view.editingPanelShown && presentNonZero(view.edited.startKeV) &&
        presentNonZero(view.edited.endKeV)) {
        return wholeChannelSpan(view.edited);
    }
    if (view.analysisPanelShown && view.displayed) return wholeChannelSpan(*view.displayed);
    return std::nullopt;
}

}  // namespace mca
