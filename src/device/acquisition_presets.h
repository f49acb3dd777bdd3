// The preset panel's commands: the real-time and total-counts presets the tick compares against.
// Both values live in AppState; the settings file takes them at close.
#pragma once

#include "core/app_state.h"

namespace mca {

inline constexpr int kMinPreset = 1;
inline constexpr int kMaxPreset = 2147483647;

// Seconds, held to 1..2147483647.
void setPresetRealTime(AppState& state, int seconds);
// Arms or disarms the real-time preset; the field station's is always armed, so there it stays on.
void setPresetRealTimeOn(AppState& state, bool on);
// Counts of MCA 1, held to 1..2147483647.
void setPresetCounts(AppState& state, int counts);
void setPresetCountsOn(AppState& state, bool on);

}  // namespace mca
