// Found-peak list operations: sorting, numbering and the digits the list holds.
#include "analysis/found_peak.h"

#include "core/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace mca {

double holdSignificant(double value, int digits) {
    if (!std::isfinite(value)) return value;
    return parseFloat(formatGeneral(value, digits)).value_or(value);
}

double perMinute(double counts, double realTimeSeconds) { return counts / (realTimeSeconds / 60.0); }

void sortByCentroidEnergy(FoundPeakList& peaks) {
    std::stable_sort(peaks.begin(), peaks.end(), [](const FoundPeak& a, const FoundPeak& b) {
        if (!a.centroidKeV || !b.centroidKeV) return a.centroidKeV.has_value() && !b.centroidKeV.has_value();
        return *a.centroidKeV < *b.centroidKeV;
    });
}

void sortByNetRateDescending(FoundPeakList& peaks) {
    std::stable_sort(peaks.begin(), peaks.end(),
                     [](const FoundPeak& a, const FoundPeak& b) { return a.netCpm > b.netCpm; });
}

void renumberPeaks(FoundPeakList& peaks) {
    for (std::size_t i = 0; i < peaks.size(); ++i) peaks[i].number = static_cast<int>(i) + 1;
}

}  // namespace mca
