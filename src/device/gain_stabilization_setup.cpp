// The gain-stabilization setup between its window and the settings.
#include "device/gain_stabilization_setup.h"

#include <algorithm>

namespace mca {

GainStabilizationSetup GainStabilizationSetup::fromSettings(const Settings& settings) {
    return {settings.gsTargetChannel, settings.gsPlusMinus, settings.gsTargetSum, settings.gsImbalance,
            settings.autoStab};
}

void GainStabilizationSetup::storeInto(Settings& settings) const {
    settings.gsTargetChannel = std::clamp(targetChannel, 0, kMaxStabilizationTargetChannel);
    settings.gsPlusMinus = std::clamp(plusMinus, 0, kMaxStabilizationPlusMinus);
    settings.gsTargetSum = std::clamp(targetSum, 0, kMaxStabilizationTargetSum);
    settings.gsImbalance = std::clamp(imbalance, 0, kMaxStabilizationImbalance);
    settings.autoStab = applied;
}

}  // namespace mca
