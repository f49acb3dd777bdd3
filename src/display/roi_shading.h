// Which trace points the ROI colours cover: every ROI of the set up to the first empty slot, and
// the one ROI being edited or displayed in the selected-ROI colour.
#pragma once

#include "display/chart_axes.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace mca {

inline constexpr int kMaxRoiSlots = 50;

// One slot of the ROI set as the view sees it; an empty field is nullopt.
struct RoiSlot {
    std::string name;
    std::optional<double> startChannel;
    std::optional<double> endChannel;
    std::optional<double> startKeV;
    std::optional<double> endKeV;
};

// Channels first .. last inclusive, drawn in one colour.
struct ChannelSpan {
    int first = 0;
    int last = 0;
    bool operator==(const ChannelSpan&) const = default;
};

// An ROI from S to E colours channels S+1 .. E: its start channel is the last one outside it.
ChannelSpan roiChannelSpan(int startChannel, int endChannel);

// The span's positions on the bottom axis: channels, or ChannelToKeV of both ends.
AxisRange spanPositions(ChannelSpan span, XAxisMode mode, const EnergyCalibration& cal);

// Shading of slots 1, 2, ... up to the first without a start channel (at most 50); a slot whose
// channels are missing or not whole numbers ends the shading there. Empty when ROIs are not shown.
std::vector<ChannelSpan> roiShading(std::span<const RoiSlot> slots, bool showRois);

// What decides the selected ROI.
struct SelectedRoiView {
    bool editingPanelShown = false;    // ROI panel or ROI efficiency panel, with the main panel visible
    RoiSlot edited;                    // the ROI in the editing fields
    bool analysisPanelShown = false;   // the ROI-based analysis panel
    std::optional<RoiSlot> displayed;  // the slot that panel displays
};

// The edited ROI when its panel is shown and both its energies are present and non-zero;
// otherwise the analysis panel's ROI when that panel is shown and its slot has both channels.
// Channels must be whole numbers in either case.
std::optional<ChannelSpan> selectedRoiShading(const SelectedRoiView& view);

}  // namespace mca
