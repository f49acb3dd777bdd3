// Peak labels: matching library lines against the peaks' identification windows.
#include "analysis/peak_labels.h"

#include "core/number_text.h"

#include <optional>

namespace mca {

namespace {

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool windowHolds(const FoundPeak& peak, double keV) {
    return peak.idWindowLowKeV <= keV && keV <= peak.idWindowHighKeV;
}

struct NuclideLines {
    double primaryKeV = 0;
    double secondaryKeV = 0;
};

std::optional<NuclideLines> linesOf(const SearchRow& row) {
    const std::optional<double> primary = parseFloat(row.primaryEnergy);
    const std::optional<double> secondary = parseFloat(row.secondaryEnergy);
    if (!primary || !secondary) return std::nullopt;
    return NuclideLines{*primary, *secondary};
}

void markNuclide(FoundPeakList& peaks, const std::string& name, const NuclideLines& lines) {
    const std::string entry = name + std::string(kLabelEnd);
    const std::string secondaryEntry = name + std::string(kSecondaryMark) + std::string(kLabelEnd);
    for (FoundPeak& r : peaks) {
        if (!windowHolds(r, lines.primaryKeV)) continue;
        for (FoundPeak& s : peaks) {
            if (!windowHolds(s, lines.secondaryKeV)) continue;
            if (!endsWith(r.label, entry)) r.label += entry;
            // The same secondary mark twice in a row only repeats itself (several peaks can hold
            // the primary line), so it is written once.
            if (!endsWith(s.label, entry) && !endsWith(s.label, secondaryEntry)) s.label += secondaryEntry;
        }
    }
}

}  // namespace

std::vector<std::string> LabelPeaks(FoundPeakList& peaks, std::span<const SearchRow> searchTable) {
    sortByCentroidEnergy(peaks);
    renumberPeaks(peaks);
    for (FoundPeak& peak : peaks) peak.label.clear();
    std::vector<std::string> skipped;
    if (peaks.empty()) return skipped;
    for (const SearchRow& row : searchTable) {
        const std::optional<NuclideLines> lines = linesOf(row);
        if (!lines) {
            skipped.push_back(row.name);
            continue;
        }
        markNuclide(peaks, row.name, *lines);
    }
    for (FoundPeak& peak : peaks) {
        if (peak.label.empty()) {
            peak.label = formatFull(peak.centroidKeV.value_or(0.0)) + std::string(kUnmatchedSuffix) + std::string(kLabelEnd);
        }
    }
    return skipped;
}

std::vector<std::string> labelEntries(std::string_view label) {
    std::vector<std::string> entries;
    while (!label.empty()) {
        const std::size_t end = label.find(kLabelEnd);
        entries.emplace_back(label.substr(0, end));
        if (end == std::string_view::npos) break;
        label.remove_prefix(end + kLabelEnd.size());
    }
    return entries;
}

bool isUnidentifiedLabel(std::string_view label) {
    const std::size_t last = label.rfind(kLabelEnd);
    if (last == std::string_view::npos || last < 3) return false;
    return label.substr(last - 3, 3) == "keV";
}

std::vector<std::string> primaryLabelEntries(std::string_view label) {
    std::vector<std::string> names;
    for (std::string& entry : labelEntries(label)) {
        if (entry.empty() || endsWith(entry, kSecondaryMark) || endsWith(entry, kUnmatchedSuffix)) continue;
        names.push_back(std::move(entry));
    }
    return names;
}

std::string labelAsLine(std::string_view label) {
    std::string line;
    const std::vector<std::string> entries = labelEntries(label);
    for (std::size_t i = 0; i < entries.size(); ++i) line += (i == 0 ? "" : ", ") + entries[i];
    return line;
}

}  // namespace mca
