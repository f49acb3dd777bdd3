// The "Gain Stabilization Setup" window's values: read from the settings when it opens, stored
// back by OK. The window offers the ranges below; values out of range are brought within them.
#pragma once

#include "core/settings.h"

namespace mca {

inline constexpr int kMaxStabilizationTargetChannel = 4095;
inline constexpr int kMaxStabilizationPlusMinus = 2047;
inline constexpr int kMaxStabilizationTargetSum = 1000000000;
inline constexpr int kMaxStabilizationImbalance = 100;

struct GainStabilizationSetup {
    int targetChannel = 2554;   // T, `GSTartgetChn`
    int plusMinus = 50;         // W, `GSPlusMinus`: each window is W + 1 channels
    int targetSum = 5000;       // `GSTargetSum`: both windows together must exceed it
    int imbalance = 2;          // `GSImbal`: allowed imbalance in percent
    bool applied = false;       // `AutoStab`: "Apply Auto Background Gain Stabilization"

    static GainStabilizationSetup fromSettings(const Settings& settings);
    // OK: each value clamped to 0 .. its maximum, then written into the settings.
    void storeInto(Settings& settings) const;
};

}  // namespace mca
