// The peak report ("Peak-Based ID and Activity Report"): the search settings, every found peak
// with its counts and rates, and for each identified nuclide its confirmatory line, yield,
// efficiencies and activity in the chosen units. Built from the list as it stands; the list is
// not changed.
#pragma once

#include "analysis/activity_units.h"
#include "analysis/efficiency_lookup.h"
#include "analysis/found_peak.h"
#include "analysis/identification_settings.h"
#include "library/nuclide_library.h"
#include "roi/report_builder.h"
#include "roi/report_header.h"

#include <span>
#include <string>

namespace mca {

inline constexpr const char* kPeakReportName = "Peak-Based ID and Activity Report";
inline constexpr const char* kPeakReportFileName = "Peak Report";

// The viewer's caption: "VORA-II MCA: Peak-Based ID and Activity Report" in the VORA edition,
// "TREL MCA:  Peak-Based ID and Activity Report" (two blanks) in TREL, and OSKA alike.
std::string peakReportCaption(const Edition& edition);
// The first line: "<product>: Peak-Based ID and Activity Report" (one blank) in every edition.
std::string peakReportTitle(const Edition& edition);

struct PeakReportInputs {
    // The common header; its acquisition time, sample quantity and units serve the body too.
    ReportHeaderInputs header;
    std::string sqrtToFwhmText;    // the detector's Sqrt-to-FWHM multiplier field; "1" when empty
    std::string fwhmToPeakText;    // the detector's FWHM-to-peak multiplier field; "2.35" when empty
    IdentificationSettings identification;   // the rule the labels were made with
    EfficiencyTables efficiency;   // shape calibration and ROI efficiency calibration in force
    bool qualitativeIdOnly = false;          // "Qualitative ID Only"
    ActivityUnitChoice units = kDefaultActivityUnits;
};

// The whole report: title, common header, "Peak Search Parameters", "Peak Data" with one block per
// peak, "Identified Nuclides" with one block per primary label entry. Labels naming a nuclide the
// search table no longer holds get the "probably" line only.
ReportBuilder PeakReport(const FoundPeakList& peaks, std::span<const SearchRow> searchTable,
                         const PeakReportInputs& in);

}  // namespace mca
