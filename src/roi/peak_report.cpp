// The peak-based identification and activity report.
#include "roi/peak_report.h"

#include "analysis/peak_labels.h"
#include "core/number_text.h"

#include <algorithm>
#include <optional>

namespace mca {

namespace {

// "6 significant digits, d decimals".
std::string fixed6(double value, int decimals) { return formatFixed(value, decimals, 6); }

// A stored value as the list's text cell shows it.
std::string stored(double value) { return formatFull(value); }

std::string orDefault(const std::string& text, const char* fallback) { return text.empty() ? fallback : text; }

std::string ruleLine(const IdentificationSettings& id) {
    switch (id.window.rule) {
        case IdWindowRule::KeV:
            return "Peak identified if library energy within ±" + stored(id.window.keVSpread) + " keV";
        case IdWindowRule::Percent:
            return "Peak identified if library energy within ±" + stored(id.window.percentSpread) + " %";
        case IdWindowRule::Area: return "Peak identified if library energy within peak area";
        case IdWindowRule::Fwhm: return "Peak identified if library energy within peak FWHM";
    }
    return {};
}

void addSearchParameters(ReportBuilder& report, const PeakReportInputs& in) {
    report.addBoldLine("Peak Search Parameters");
    report.addLine("FWHM = sqrt(centroid keV) * " + orDefault(in.sqrtToFwhmText, "1"));
    report.addLine("Full peak width = FWHM * " + orDefault(in.fwhmToPeakText, "2.35"));
    report.addLine(ruleLine(in.identification));
    report.addBlank();
}

void addPeakData(ReportBuilder& report, const FoundPeak& peak, int number) {
    report.addLine("Peak #" + std::to_string(number) + "\tCentroid energy = " + stored(peak.centroidKeV.value_or(0)) +
                   " keV");
    report.addLine("Associated nuclide(s):  ");
    if (!peak.label.empty()) {
        report.addLine(isUnidentifiedLabel(peak.label) ? std::string("UNIDENTIFIED") : labelAsLine(peak.label));
        report.addLine("Peak ranges from " + fixed6(peak.regionStartKeV, 2) + " keV to " + fixed6(peak.regionEndKeV, 2) +
                       " keV, FWHM = " + stored(peak.fwhm) + "%");
        report.addLine("Gross counts = " + stored(peak.grossCounts) + " counts = " + stored(peak.grossCpm) + " cpm");
        report.addLine("Compton counts = " + stored(peak.comptonCounts) + " counts = " + stored(peak.comptonCpm) +
                       " cpm");
        report.addLine("Background counts = " + stored(peak.backgroundCounts) + " counts = " +
                       stored(peak.backgroundCpm) + " cpm");
        report.addLine("Net counts = " + stored(peak.netCounts) + " counts = " + stored(peak.netCpm) + " cpm");
    }
    report.addBlank();
}

// The sample quantity the per-quantity lines divide by: 1 when it is 0, empty or not a number.
double sampleDivisor(const ReportHeaderInputs& header) {
    const std::optional<double> q = parseFloat(header.sampleQuantity);
    return q && *q != 0 ? *q : 1.0;
}

void addActivity(ReportBuilder& report, const FoundPeak& peak, double yieldPercent, const PeakReportInputs& in) {
    const std::optional<double> efficiency = efficiencyAtChannel(in.efficiency, centroidOf(peak));
    if (!efficiency || in.qualitativeIdOnly) return;
    report.addLine("Absolute Efficiency = " + fixed6(100 * *efficiency, 4) + "%");
    const double applied = yieldPercent / 100.0 * *efficiency;
    report.addLine("Applied Efficiency = " + fixed6(100 * applied, 4) + "%");
    // Without a yield there is no activity to state (it would divide by zero).
    if (!(applied > 0)) return;
    const double dpm = peak.netCpm / applied;
    for (std::size_t u = 0; u < kActivityUnits.size(); ++u) {
        if (!in.units[u]) continue;
        const ActivityUnit& unit = kActivityUnits[u];
        const double value = dpm / unit.dpmPerUnit;
        report.addLine("Calculated Activity = " + fixed6(value, 4) + std::string(unit.text));
        if (in.header.useSampleQuantity) {
            report.addLine("Calculated Activity = " + fixed6(value / sampleDivisor(in.header), 4) +
                           std::string(unit.text) + "/" + in.header.sampleUnits);
        }
    }
}

void addIdentified(ReportBuilder& report, const FoundPeak& peak, const std::string& name,
                   std::span<const SearchRow> searchTable, const PeakReportInputs& in) {
    const std::string energy = stored(peak.centroidKeV.value_or(0));
    report.addLine("The peak at " + energy + " keV is probably " + name);
    const auto row = std::find_if(searchTable.begin(), searchTable.end(),
                                  [&](const SearchRow& candidate) { return candidate.name == name; });
    if (row == searchTable.end()) return;
    if (row->primaryEnergy != row->secondaryEnergy) {
        report.addLine("Confirmatory peak corresponding to " + row->secondaryEnergy + " keV");
    }
    report.addLine("The yield for " + name + " at " + energy + " keV is " + row->yieldPercent + "%");
    report.addLine("Net peak counts = " + stored(peak.netCounts) + " counts  = " + stored(peak.netCpm) + " cpm");
    addActivity(report, peak, parseFloat(row->yieldPercent).value_or(0.0), in);
}

}  // namespace

std::string peakReportCaption(const Edition& edition) {
    const std::string separator = edition.kind == EditionKind::Vora ? ": " : ":  ";
    return std::string(edition.productName) + separator + kPeakReportName;
}

std::string peakReportTitle(const Edition& edition) {
    return std::string(edition.productName) + ": " + kPeakReportName;
}

ReportBuilder PeakReport(const FoundPeakList& peaks, std::span<const SearchRow> searchTable,
                         const PeakReportInputs& in) {
    ReportBuilder report(peakReportCaption(in.header.edition), kPeakReportFileName);
    report.addTitle(peakReportTitle(in.header.edition));
    // The common header ends with the acquisition time line and a blank, which open this body.
    addCommonHeader(report, in.header);
    addSearchParameters(report, in);
    report.addLine("There were " + std::to_string(peaks.size()) + " peaks found");
    report.addBlank();
    report.addBoldLine("Peak Data");
    for (std::size_t i = 0; i < peaks.size(); ++i) addPeakData(report, peaks[i], static_cast<int>(i + 1));
    report.addBoldLine("Identified Nuclides");
    for (const FoundPeak& peak : peaks) {
        for (const std::string& name : primaryLabelEntries(peak.label)) addIdentified(report, peak, name, searchTable, in);
    }
    return report;
}

}  // namespace mca
