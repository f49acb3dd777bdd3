// The list clean-up after the detection loop: cut-offs, narrow and duplicate peaks,
// the proximity rule, and the shared baselines of touching peaks (also used by the re-analysis).
#pragma once

#include "analysis/found_peak.h"

namespace mca {

struct CleanupSettings {
    int channelCount = 4096;   // N
    int lowCutoffChannel = 10; // intLowCutoff
};

// Steps 1 to 6, in this order:
//  1. sort by centroid energy;
//  2. from the last to the first, keep a peak only when it has a centroid channel within
//     intLowCutoff .. round(0.97 N) and its centroid, region start and region end energies are
//     all above 0;
//  3. from the last down to peak 2, delete a peak with right - left < sqrt(centroid channel);
//  4. from the last down to peak 2, delete a peak whose centroid equals the one before it;
//  5. proximity, see applyProximityRule;
//  6. shareBaselines.
void cleanUpPeakList(FoundPeakList& peaks, const CleanupSettings& settings);

// Positions from the last down to 2, fixed at the start: with c the centroid at that position
// (none when the list has become shorter), delete every other peak whose centroid lies strictly
// between round(c - sqrt(c)) and round(c + sqrt(c)).
void applyProximityRule(FoundPeakList& peaks);

// For each start position O (1 .. n-1), follow the chain while the right edge of peak O+w is at
// least the left edge of peak O+w+1: peaks O .. O+w take the baseline end channel and height of
// peak O+w+1, and peak O+w+1 takes the baseline start channel and height of peak O+w. A chain of
// touching peaks thereby shares the baseline from the first one's start to the last one's end.
void shareBaselines(FoundPeakList& peaks);

}  // namespace mca
