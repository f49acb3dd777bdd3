// The preset panel's commands.
#include "device/acquisition_presets.h"

#include <algorithm>

namespace mca {

void setPresetRealTime(AppState& state, int seconds) { state.presetRealTime = std::clamp(seconds, kMinPreset, kMaxPreset); }

void setPresetRealTimeOn(AppState& state, bool on) { state.presetRealTimeOn = on || state.fieldStation; }

void setPresetCounts(AppState& state, int counts) { state.presetCounts = std::clamp(counts, kMinPreset, kMaxPreset); }

void setPresetCountsOn(AppState& state, bool on) { state.presetCountsOn = on; }

}  // namespace mca
