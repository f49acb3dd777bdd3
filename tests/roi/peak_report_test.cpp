// The peak report: its lines and formats in full against golden files, and the cases that change
// what a block holds (unidentified peaks, efficiency and activity lines, units, captions).
#include "roi/peak_report.h"

#include "analysis/peak_identification.h"
#include "golden_file.h"
#include "roi/report_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace mca {
namespace {

ReportHeaderInputs header() {
    ReportHeaderInputs in;
    in.edition = *editionFromTitle("TREL MCA");
    in.spectrumFromFile = true;
    in.spectrumPath = "/home/op/Spectra/soil 7.usf";
    in.spectrumModified = DateTime{2026, 3, 4, 10, 20, 30, 0};
    in.sampleDescription = "Soil core 7";
    in.instrumentSerial = "415-0042";
    in.detectorSerial = "N3";
    in.detectorManufacturer = "Acme";
    in.detectorDescription = "2x2 NaI";
    in.cableLength = "2";
    in.cableUnits = "m";
    in.operatingVoltage = "850";
    in.threshold = "30";
    in.coarseGainText = "15";
    in.fineGainFactor = 1.25;
    in.elapsedSecondsText = "3725";
    in.elapsedSeconds = 3725;
    return in;
}

FoundPeak peak(double keV, double channel, double net, double netCpm) {
    FoundPeak p;
    p.centroidKeV = keV;
    p.centroidChannel = channel;
    p.regionStartKeV = keV - 21.456;
    p.regionEndKeV = keV + 23.5;
    p.fwhm = 7.04225352112676;
    p.netCounts = net;
    p.netCpm = netCpm;
    p.comptonCounts = 1520;
    p.comptonCpm = 24.4832;
    p.backgroundCounts = 12.5;
    p.backgroundCpm = 0.201342;
    p.grossCounts = net + 1532.5;
    p.grossCpm = netCpm + 24.6845;
    return p;
}

std::vector<SearchRow> library() {
    return {{"Cs-137", "661.657", "661.657", "0.8499", "84.99"},
            {"Co-60", "1332.492", "1173.228", "0.999826", "99.9826"},
            {"K-40", "1460.822", "1460.822", "0.1066", "10.66"}};
}

// Four peaks: Cs-137, Co-60's secondary and primary lines, and one matched by nothing.
FoundPeakList identifiedPeaks() {
    FoundPeakList peaks{peak(661.7, 284, 21034.5, 338.804), peak(1173, 490, 9000.1, 144.968),
                        peak(1333, 554, 8000.3, 128.864), peak(2000, 823, 310.2, 4.99651)};
    IdentificationSettings id;
    id.window = {IdWindowRule::KeV, 15, 3};
    IdentifyPeaks(peaks, PeakAnalysisInput{}, id, library());
    return peaks;
}

PeakReportInputs inputs() {
    PeakReportInputs in;
    in.header = header();
    in.identification.window = {IdWindowRule::KeV, 15, 3};
    in.efficiency.roiEfficiencyPresent = true;
    in.efficiency.roiTable = {{200, 0.05, false}, {600, 0.02, false}};
    return in;
}

std::vector<std::string> texts(const ReportBuilder& report) {
    std::vector<std::string> lines;
    for (const ReportParagraph& p : report.paragraphs()) lines.push_back(p.text);
    return lines;
}

long countStarting(const std::vector<std::string>& lines, const std::string& start) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

TEST(PeakReport, MatchesTheGoldenReport) {
    PeakReportInputs in = inputs();
    in.header.useSampleQuantity = true;
    in.header.sampleQuantity = "0.25";
    in.header.sampleUnits = "kg";
    in.sqrtToFwhmText = "";   // filled with the defaults
    in.units = {true, true, false, false, true, false, false, false};
    const ReportBuilder report = PeakReport(identifiedPeaks(), library(), in);
    testing::expectMatchesGolden("peak_report.txt", textReportBytes(report.paragraphs()));
    testing::expectMatchesGolden("peak_report.rtf", rtfReportBytes(report.paragraphs()));
}

TEST(PeakReport, UnidentifiedPeakAndOneActivityLinePerNuclideWithDpmOnly) {
    const std::vector<std::string> lines = texts(PeakReport(identifiedPeaks(), library(), inputs()));
    EXPECT_EQ(countStarting(lines, "UNIDENTIFIED"), 1);
    EXPECT_EQ(countStarting(lines, "Calculated Activity = "), 2);   // Cs-137 and Co-60
    EXPECT_EQ(countStarting(lines, "The peak at 2000 keV"), 0);
    EXPECT_EQ(countStarting(lines, "The peak at 1173 keV"), 0);      // a secondary entry
    EXPECT_EQ(countStarting(lines, "Confirmatory peak corresponding to 1173.228 keV"), 1);
    EXPECT_EQ(countStarting(lines, "Confirmatory peak"), 1);         // not for Cs-137's single line
    EXPECT_EQ(countStarting(lines, "There were 4 peaks found"), 1);
}

TEST(PeakReport, NoEfficiencyLinesForQualitativeIdOrWithoutCalibration) {
    PeakReportInputs qualitative = inputs();
    qualitative.qualitativeIdOnly = true;
    PeakReportInputs uncalibrated = inputs();
    uncalibrated.efficiency = {};
    for (const PeakReportInputs& in : {qualitative, uncalibrated}) {
        const std::vector<std::string> lines = texts(PeakReport(identifiedPeaks(), library(), in));
        EXPECT_EQ(countStarting(lines, "Absolute Efficiency"), 0);
        EXPECT_EQ(countStarting(lines, "Calculated Activity"), 0);
        EXPECT_EQ(countStarting(lines, "Net peak counts = "), 2);
    }
}

// A label naming a nuclide the library no longer holds states the match only.
TEST(PeakReport, NuclideMissingFromTheLibraryGetsTheMatchLineOnly) {
    FoundPeakList peaks = identifiedPeaks();
    const std::vector<SearchRow> reloaded{library()[1]};
    const std::vector<std::string> lines = texts(PeakReport(peaks, reloaded, inputs()));
    EXPECT_EQ(countStarting(lines, "The peak at 661.7 keV is probably Cs-137"), 1);
    EXPECT_EQ(countStarting(lines, "The yield for Cs-137"), 0);
    EXPECT_EQ(countStarting(lines, "The yield for Co-60 at 1333 keV is 99.9826%"), 1);
}

TEST(PeakReport, RuleLines) {
    struct Case {
        IdWindowRule rule;
        const char* line;
    };
    for (const Case& c : {Case{IdWindowRule::KeV, "Peak identified if library energy within ±12.5 keV"},
                          Case{IdWindowRule::Percent, "Peak identified if library energy within ±2.5 %"},
                          Case{IdWindowRule::Area, "Peak identified if library energy within peak area"},
                          Case{IdWindowRule::Fwhm, "Peak identified if library energy within peak FWHM"}}) {
        PeakReportInputs in = inputs();
        in.identification.window = {c.rule, 12.5, 2.5};
        EXPECT_EQ(countStarting(texts(PeakReport({}, library(), in)), c.line), 1) << c.line;
    }
}

TEST(PeakReport, CaptionTitleAndFileNameByEdition) {
    struct Case {
        const char* title;
        const char* caption;
        const char* firstLine;
    };
    for (const Case& c : {Case{"VORA-II MCA", "VORA-II MCA: Peak-Based ID and Activity Report",
                               "VORA-II MCA: Peak-Based ID and Activity Report"},
                          Case{"TREL MCA", "TREL MCA:  Peak-Based ID and Activity Report",
                               "TREL MCA: Peak-Based ID and Activity Report"},
                          Case{"OSKA MCA", "OSKA MCA:  Peak-Based ID and Activity Report",
                               "OSKA MCA: Peak-Based ID and Activity Report"}}) {
        PeakReportInputs in = inputs();
        in.header.edition = *editionFromTitle(c.title);
        const ReportBuilder report = PeakReport({}, library(), in);
        EXPECT_EQ(report.caption(), c.caption);
        EXPECT_EQ(report.defaultFileName(), "Peak Report");
        ASSERT_FALSE(report.paragraphs().empty());
        EXPECT_EQ(report.paragraphs()[0].text, c.firstLine);
        EXPECT_EQ(report.paragraphs()[0].style, (ReportStyle{kTitlePoints, true}));
    }
}

}  // namespace
}  // namespace mca
