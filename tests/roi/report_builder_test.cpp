// The report document, its RTF and text files against golden copies, and the save by extension.
#include "roi/report_builder.h"
#include "roi/report_files.h"
#include "roi/report_header.h"
#include "roi/rtf_report_reader.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/folders.h"
#include "golden_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

const ReportStyle kTitle{kTitlePoints, true};
const ReportStyle kRegular{kBodyPoints, false};
const ReportStyle kBold{kBodyPoints, true};

// A report as the ROI count report builds it, with the characters Windows-1252 must carry.
ReportBuilder sampleReport() {
    ReportHeaderInputs in;
    in.edition = *editionFromTitle("TREL MCA");
    in.spectrumFromFile = true;
    in.spectrumPath = "/home/op/Spectra/Soil {north} 1.usf";
    in.spectrumModified = DateTime{2026, 3, 4, 9, 5, 7, 0};
    in.sampleDescription = "Soil, 1 µm sieve";
    in.useSampleQuantity = true;
    in.sampleQuantity = "250";
    in.sampleUnits = "g";
    in.instrumentSerial = "212345";
    in.detectorSerial = "N-77";
    in.detectorManufacturer = "Acme";
    in.detectorDescription = "2x2 NaI";
    in.cableLength = "6";
    in.cableUnits = "ft.";
    in.operatingVoltage = "850";
    in.threshold = "50";
    in.coarseGainText = "15";
    in.fineGainFactor = 1.25;
    in.elapsedSecondsText = "300";
    in.elapsedSeconds = 300;
    ReportBuilder r(reportTitle(in.edition, "Simple ROI Count Report"), "ROI Report");
    r.addTitle(r.caption());
    addCommonHeader(r, in);
    r.addBoldLine("ROI #1 Cs-137");
    r.addLine("Net rate = 12.5 ± 0.3 cpm per cm²");
    r.addLine("\tback\\slash");
    return r;
}

TEST(ReportBuilder, TitleSwitchesToRegularAndAddsABlank) {
    ReportBuilder r("TREL MCA:  Test", "Test Report");
    r.setStyle(kBold);
    r.addTitle("TREL MCA:  Test");
    r.addLine("one");
    r.addBoldLine("section");
    r.addBlank();
    const std::vector<ReportParagraph> expected{
        {"TREL MCA:  Test", kTitle}, {"", kRegular}, {"one", kRegular}, {"section", kBold}, {"", kRegular}};
    EXPECT_EQ(r.paragraphs(), expected);
    EXPECT_EQ(r.style(), kRegular);
    EXPECT_EQ(r.caption(), "TREL MCA:  Test");
    EXPECT_EQ(r.defaultFileName(), "Test Report");
    r.beginReport("Other", "Other Report");
    EXPECT_TRUE(r.paragraphs().empty());
    EXPECT_EQ(r.caption(), "Other");
}

TEST(ReportFiles, RtfAndTextMatchTheGoldenFiles) {
    const ReportBuilder r = sampleReport();
    testing::expectMatchesGolden("roi_count_report.rtf", rtfReportBytes(r.paragraphs()));
    testing::expectMatchesGolden("roi_count_report.txt", textReportBytes(r.paragraphs()));
}

TEST(ReportFiles, TextIsWindows1252WithCrLfAndNoStyling) {
    ReportBuilder r;
    r.addTitle("Title");
    r.addBoldLine("µ ± ²");
    EXPECT_EQ(textReportBytes(r.paragraphs()), "Title\r\n\r\n\xB5 \xB1 \xB2\r\n");
}

TEST(ReportFiles, SaveChoosesTheFormatByExtension) {
    testing::TempFolder dir;
    const ReportBuilder r = sampleReport();
    for (const char* name : {"a.txt", "b.TXT", "c.Txt"}) {
        saveReport(r, dir.path() / name);
        EXPECT_EQ(readFileBytes(dir.path() / name), textReportBytes(r.paragraphs())) << name;
    }
    for (const char* name : {"d.rtf", "e.RTF", "f"}) {
        saveReport(r, dir.path() / name);
        EXPECT_EQ(readFileBytes(dir.path() / name), rtfReportBytes(r.paragraphs())) << name;
    }
}

TEST(ReportFiles, AFailedSaveThrows) {
    testing::TempFolder dir;
    EXPECT_THROW(saveReport(sampleReport(), dir.path() / "missing" / "r.rtf"), FileError);
}

TEST(ReportFiles, SaveDialogStartsInReportsWithTheDefaultName) {
    const AppFolders folders = appFoldersFor("/opt/mca", "/home/op");
    const FileChoice choice = reportSaveChoice(sampleReport(), folders);
    EXPECT_EQ(choice.folder, folders.reports.string());
    EXPECT_EQ(choice.fileName, "ROI Report");
    EXPECT_EQ(choice.filter, "Text Files (*.TXT)|*.TXT|Rich Text File (*.RTF)|*.RTF");
    EXPECT_EQ(choice.defaultSuffix, "RTF");
}

TEST(ReportFiles, SavedRtfReadsBackParagraphForParagraph) {
    testing::TempFolder dir;
    const ReportBuilder r = sampleReport();
    saveReport(r, dir.path() / "r.rtf");
    const ReportBuilder back = loadReport(dir.path() / "r.rtf");
    EXPECT_EQ(back.paragraphs(), r.paragraphs());
    // A loaded document saves as it was read.
    saveReport(back, dir.path() / "again.rtf");
    EXPECT_EQ(readFileBytes(dir.path() / "again.rtf"), readFileBytes(dir.path() / "r.rtf"));
}

}  // namespace
}  // namespace mca
