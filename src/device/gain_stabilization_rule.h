// The arithmetic of background gain stabilization: the two windows beside the target channel, the
// imbalance between them, and the step it calls for. Pure functions, so every case is a table row.
#pragma once

#include <cstdint>
#include <span>

namespace mca {

struct StabilizationWindowSums {
    std::int64_t left = 0;    // channels T - W - 1 .. T - 1
    std::int64_t right = 0;   // channels T + 1 .. T + W + 1
    std::int64_t total() const { return left + right; }
};

// Sums the two windows of W + 1 channels each on either side of target channel T; channel T itself
// belongs to neither. Channels outside 0 .. channelCount - 1 (or beyond `sums`) count nothing, so a
// target near either end of the spectrum compares what is there.
StabilizationWindowSums stabilizationWindowSums(std::span<const std::int32_t> sums, int channelCount,
                                                int targetChannel, int plusMinus);

// imbalance = (right - left) / (left + right) x 100, in percent; 0 when both windows are empty.
double stabilizationImbalance(const StabilizationWindowSums& sums);

enum class StabilizationStep {
    Accumulate,   // left + right <= target sum: too few counts yet, the sums keep growing
    StaysPut,     // |imbalance| within the allowed percent
    Up,           // imbalance < -allowed: the peak sits low, raise the fine gain one step
    Down,         // imbalance > allowed: the peak sits high, lower it one step
};

StabilizationStep stabilizationStep(const StabilizationWindowSums& sums, int targetSum, int allowedImbalancePercent);

}  // namespace mca
