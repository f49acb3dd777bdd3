// The found-peak list clean-up and the shared baselines.
#include "analysis/peak_list_cleanup.h"

#include "core/number_text.h"

#include <cmath>
#include <cstddef>

namespace mca {
namespace {

using Index = std::ptrdiff_t;

void eraseAt(FoundPeakList& peaks, Index i) { peaks.erase(peaks.begin() + i); }

bool keptByCutoffs(const FoundPeak& peak, const CleanupSettings& settings) {
    if (!peak.centroidChannel) return false;
    const double c = *peak.centroidChannel;
    const double highest = static_cast<double>(roundHalfEven(0.97 * settings.channelCount));
    return c <= highest && c >= settings.lowCutoffChannel && peak.centroidKeV.value_or(0.0) > 0 &&
           peak.regionStartKeV > 0 && peak.regionEndKeV > 0;
}

}  // namespace

void applyProximityRule(FoundPeakList& peaks) {
    const Index count = static_cast<Index>(peaks.size());
    for (Index position = count - 1; position >= 1; --position) {
        if (position >= static_cast<Index>(peaks.size())) continue;
        const double c = centroidOf(peaks[static_cast<std::size_t>(position)]);
        const double low = static_cast<double>(roundHalfEven(c - std::sqrt(c)));
        const double high = static_cast<double>(roundHalfEven(c + std::sqrt(c)));
        Index keeper = position;
        for (Index j = static_cast<Index>(peaks.size()) - 1; j >= 0; --j) {
            if (j == keeper) continue;
            const double oc = centroidOf(peaks[static_cast<std::size_t>(j)]);
            if (oc > low && oc < high) {
                eraseAt(peaks, j);
                if (j < keeper) --keeper;
            }
        }
    }
}

void shareBaselines(FoundPeakList& peaks) {
    const std::size_t n = peaks.size();
    for (std::size_t o = 0; o + 1 < n; ++o) {
        for (std::size_t w = 0; o + w + 1 < n; ++w) {
            FoundPeak& current = peaks[o + w];
            FoundPeak& next = peaks[o + w + 1];
            if (current.rightChannel < next.leftChannel) break;
            for (std::size_t i = o; i <= o + w; ++i) {
                peaks[i].baselineEndChannel = next.baselineEndChannel;
                peaks[i].baselineEndHeight = next.baselineEndHeight;
            }
            next.baselineStartChannel = current.baselineStartChannel;
            next.baselineStartHeight = current.baselineStartHeight;
        }
    }
}

void cleanUpPeakList(FoundPeakList& peaks, const CleanupSettings& settings) {
    sortByCentroidEnergy(peaks);
    for (Index i = static_cast<Index>(peaks.size()) - 1; i >= 0; --i) {
        if (!keptByCutoffs(peaks[static_cast<std::size_t>(i)], settings)) eraseAt(peaks, i);
    }
    for (Index i = static_cast<Index>(peaks.size()) - 1; i >= 1; --i) {
        const FoundPeak& peak = peaks[static_cast<std::size_t>(i)];
        if (static_cast<double>(peak.rightChannel - peak.leftChannel) < std::sqrt(centroidOf(peak))) eraseAt(peaks, i);
    }
    for (Index i = static_cast<Index>(peaks.size()) - 1; i >= 1; --i) {
        if (peaks[static_cast<std::size_t>(i)].centroidChannel == peaks[static_cast<std::size_t>(i - 1)].centroidChannel) {
            eraseAt(peaks, i);
        }
    }
    applyProximityRule(peaks);
    shareBaselines(peaks);
    renumberPeaks(peaks);
}

}  // namespace mca
