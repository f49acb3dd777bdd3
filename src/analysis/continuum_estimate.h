// EstimateContinuum: the smooth continuum under the peaks, found by cutting out the
// regions where a coarser second derivative dips and bridging them with straight lines.
#pragma once

#include "analysis/peak_inputs.h"

namespace mca {

struct ContinuumSettings {
    double sensitivity = 1.0;   // the dip threshold is -sensitivity (-1 for 512 channels)
    int smoothWidth = 14;       // intedtSmooth, for 4096 channels
    double exponent = 0.5;      // channel weighting exponent, trkExpandSpectrum position / 100
};

struct ContinuumResult {
    int regionCount = 0;        // peak regions cut out (the hidden field intedtNumPeaks)
};

// Width s of the final moving average for N channels from intedtSmooth v: 4096: v; 2048:
// round(v/2); 1024 and 512: round(v/4); 256: round(v/8). Never below 1 (a width 0 would average
// nothing).
int continuumAverageWidth(int smoothWidth, int channelCount);

// Fills `continuum` (every entry written for 0..N, the rest 0) from the net spectrum:
//  1. SB1 = smoothing B of Net; W[i] = i^e SB1[i]; SB2 = B(W); G1 = first difference of SB2,
//     SB3 = B(G1); G2[k] = SB3[k] - SB3[k-1] (k = 1..N-4); SD = B(G2);
//  2. SM = moving average of SD over s channels: SM[s div 2 - 2] = mean SD[0..s-1],
//     SM[r - s div 2 + 2] = mean SD[r-s+1..r] for r = s .. N - s div 2 (entries outside the array
//     are skipped);
//  3. Continuum = SB1; while the least SM is below T (-1 for 512 channels, else -sensitivity; an
//     equal minimum runs once more and ends the loop): take its first channel d, refine it to the
//     highest SB1 nearby, walk down both slopes of SB1 to P and Q; when Q - P > 1.1 sqrt(d') mark
//     Continuum[P..Q] = -1 and count a region; clear SM over round(0.95 P) .. round(1.05 Q);
//  4. bridge every run of -1 by the straight line between its neighbours; clamp to SB1.
// When the cleared SM range misses d itself (possible only at the lowest channels), SM[d] is
// cleared too, so the loop always ends.
ContinuumResult EstimateContinuum(const PeakArray& net, int channelCount, const ContinuumSettings& settings,
                                  PeakArray& continuum);

}  // namespace mca
