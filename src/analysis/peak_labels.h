// LabelPeaks: marks every found peak with the library nuclides whose primary and secondary lines
// both fall into peak identification windows, and the reading of those labels back (the peak
// report, the unattended logs and the view's peak marks use the same entries).
//
// A label is a run of entries, each ended by a carriage return: a nuclide name for a primary
// match, the name followed by "²" for a secondary match, or the centroid energy + " keV" when
// nothing matched.
#pragma once

#include "analysis/found_peak.h"
#include "library/nuclide_library.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

inline constexpr std::string_view kLabelEnd = "\r";
inline constexpr std::string_view kSecondaryMark = "²";   // UTF-8; byte 0xB2 in the files
inline constexpr std::string_view kUnmatchedSuffix = " keV";

// Sorts the list by centroid energy (and renumbers it), clears every label, then for each nuclide
// of the search table in order, with P its primary and S its secondary energy: for each peak r
// whose window holds P (low <= P <= high) and each peak s whose window holds S, appends name + CR
// to r unless r's label already ends with name + CR, and name + "²" + CR to s unless s's label
// already ends with name + CR or with name + "²" + CR (so a secondary peak is not marked twice in a
// row when several peaks hold the primary line). A nuclide is marked only when both its lines are matched; a
// single-line nuclide (P = S) matched by one peak marks it once, without "²". Every peak still
// without a label gets its centroid energy + " keV" + CR. The windows are used as they stand.
//
// A nuclide whose primary or secondary energy is missing or not a number cannot be matched: it
// is skipped and the labelling goes on with the next one. Returns the names of skipped nuclides.
std::vector<std::string> LabelPeaks(FoundPeakList& peaks, std::span<const SearchRow> searchTable);

// The entries of a label without their CRs, in order (a trailing part without CR counts too).
std::vector<std::string> labelEntries(std::string_view label);

// The label names nothing: the three characters before its final CR are "keV".
bool isUnidentifiedLabel(std::string_view label);

// The nuclide names of the label's primary entries: entries not ending in "²" and not the
// " keV" entry.
std::vector<std::string> primaryLabelEntries(std::string_view label);

// The label as one line: entries joined by ", " with no trailing separator.
std::string labelAsLine(std::string_view label);

}  // namespace mca
