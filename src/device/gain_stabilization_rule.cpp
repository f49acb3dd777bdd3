// Window sums, imbalance and the step of background gain stabilization.
#include "device/gain_stabilization_rule.h"

#include <algorithm>

namespace mca {

namespace {

std::int64_t windowSum(std::span<const std::int32_t> sums, int last, int from, int to) {
    std::int64_t total = 0;
    for (int i = std::max(from, 0); i <= std::min(to, last); ++i) total += sums[static_cast<std::size_t>(i)];
    return total;
}

}  // namespace

StabilizationWindowSums stabilizationWindowSums(std::span<const std::int32_t> sums, int channelCount,
                                                int targetChannel, int plusMinus) {
    const int last = std::min(channelCount, static_cast<int>(sums.size())) - 1;
    return {windowSum(sums, last, targetChannel - plusMinus - 1, targetChannel - 1),
            windowSum(sums, last, targetChannel + 1, targetChannel + plusMinus + 1)};
}

double stabilizationImbalance(const StabilizationWindowSums& sums) {
    if (sums.total() == 0) return 0.0;
    return static_cast<double>(sums.right - sums.left) / static_cast<double>(sums.total()) * 100.0;
}

StabilizationStep stabilizationStep(const StabilizationWindowSums& sums, int targetSum, int allowedImbalancePercent) {
    if (sums.total() <= targetSum) return StabilizationStep::Accumulate;
    const double imbalance = stabilizationImbalance(sums);
    if (imbalance < -allowedImbalancePercent) return StabilizationStep::Up;
    if (imbalance > allowedImbalancePercent) return StabilizationStep::Down;
    return StabilizationStep::StaysPut;
}

}  // namespace mca
