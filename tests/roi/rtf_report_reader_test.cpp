// Reading rich-text reports: our own files round-trip, and other plain RTF reads sensibly.
#include "roi/rtf_report_reader.h"

#include "core/errors.h"
#include "roi/report_files.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

TEST(RtfReportReader, RoundTripsStylesAndSpecialCharacters) {
    ReportBuilder r;
    r.addTitle("OSKA MCA:  Efficiency Calibration Report");
    r.addBoldLine("ROI #2 {Co-60}");
    r.addLine("Efficiency = 1.2E-3 ± 4% at 1332 keV, 5 µCi, 10 cm²");
    r.addLine("\ttabbed \\ text ³ ¹ é");
    r.addParagraph("  two leading blanks", ReportStyle{kBodyPoints, false});
    r.addParagraph("", ReportStyle{kTitlePoints, true});
    const auto back = parseRtfReport(rtfReportBytes(r.paragraphs()));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, r.paragraphs());
}

TEST(RtfReportReader, ReadsOtherWritersRtf) {
    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
        "{\\*\\generator Other;}\\pard\\plain\\fs28\\b Head\\b0\\par\r\n"
        "{\\fs20 Caf\\'e9 \\u8486?hm}\\par\n"
        "last line without par}";
    const auto back = parseRtfReport(rtf);
    ASSERT_TRUE(back.has_value());
    const std::vector<ReportParagraph> expected{{"Head", {14, true}},
                                                {"Café \u2126hm", {10, false}},
                                                {"last line without par", {14, false}}};
    EXPECT_EQ(*back, expected);
}

TEST(RtfReportReader, MalformedInputNeverThrows) {
    for (const char* text : {"{\\rtf1 \\'", "{\\rtf1 \\'zz}", "{\\rtf1 }}}}} text\\par", "{\\rtf1 {{{{ \\b99999999999999 x",
                             "{\\rtf1 \\u-1", "{\\rtf1 \\fs-4 a\\par", "{\\rtf1 \\"}) {
        EXPECT_NO_THROW(parseRtfReport(text)) << text;
    }
    // A size below one point reads as one point, so it writes and reads back the same.
    const auto tiny = parseRtfReport("{\\rtf1 \\fs1 a\\par}");
    ASSERT_TRUE(tiny.has_value());
    EXPECT_EQ(*parseRtfReport(rtfReportBytes(*tiny)), *tiny);
    EXPECT_EQ(tiny->front().style.sizePoints, 1);
    EXPECT_FALSE(parseRtfReport("plain text").has_value());
    EXPECT_FALSE(parseRtfReport("").has_value());
}

TEST(RtfReportReader, LoadRejectsMissingAndNonRtfFiles) {
    testing::TempFolder dir;
    EXPECT_THROW(loadReport(dir.path() / "none.rtf"), FileError);
    ReportBuilder text;
    text.addLine("hello");
    saveReport(text, dir.path() / "r.txt");
    EXPECT_THROW(loadReport(dir.path() / "r.txt"), FileError);
}

}  // namespace
}  // namespace mca
