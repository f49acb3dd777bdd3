// The common report header: its lines, their conditions and number formats, where extra lines go,
// and the gathering of its inputs from the workstation.
#include "roi/report_header.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

ReportHeaderInputs plainInputs() {
    ReportHeaderInputs in;
    in.edition = *editionFromTitle("TREL MCA");
    in.coarseGainText = "2";
    in.elapsedSecondsText = "0";
    return in;
}

std::vector<std::string> firstLines(const ReportHeaderInputs& in, std::size_t n) {
    auto lines = commonHeaderLines(in);
    lines.resize(n);
    return lines;
}

std::string lineStartingWith(const ReportHeaderInputs& in, const std::string& start) {
    for (const std::string& line : commonHeaderLines(in)) {
        if (line.rfind(start, 0) == 0) return line;
    }
    return "(none)";
}

TEST(CommonHeader, NothingSavedNoBackgroundNoSample) {
    const std::vector<std::string> expected{"Spectrum File: (spectrum not saved)",
                                            "Background File: (no background was subtracted)",
                                            "Sample Description:  None", "Sample Quantity:  None"};
    EXPECT_EQ(firstLines(plainInputs(), 4), expected);
}

TEST(CommonHeader, FilesSampleAndHardwareLinesInOrder) {
    ReportHeaderInputs in = plainInputs();
    in.edition = *editionFromTitle("VORA-II MCA");
    in.spectrumFromFile = true;
    in.spectrumPath = "/s/a.usf";
    in.spectrumModified = DateTime{2026, 1, 2, 3, 4, 5, 0};
    in.backgroundPath = "/s/bk.usf";
    in.sampleDescription = "Filter 7";
    in.useSampleQuantity = true;
    in.sampleQuantity = "1.5";
    in.sampleUnits = "kg";
    in.instrumentSerial = "200017";
    in.detectorSerial = "D1";
    in.detectorManufacturer = "Acme";
    in.detectorDescription = "3x3 NaI";
    in.cableLength = "2";
    in.cableUnits = "m";
    in.operatingVoltage = "900";
    in.threshold = "40";
    in.coarseGainText = "4";
    in.fineGainFactor = 0.5;
    in.elapsedSecondsText = "300";
    in.elapsedSeconds = 300;
    const std::vector<std::string> expected{"Spectrum File: /s/a.usf",
                                            "Spectrum File saved 2026-01-02 03:04:05",
                                            "Background File: /s/bk.usf",
                                            "Background File saved (file not found)",
                                            "Sample Description:  Filter 7",
                                            "Sample Quantity:  1.5 kg",
                                            "",
                                            "VORA-II s/n 200017",
                                            "Detector s/n D1, Acme 3x3 NaI, 2 m cable",
                                            "Operating Voltage = 900V",
                                            "Coarse Gain = 4",
                                            "Fine Gain = 0.500",
                                            "Overall Gain = 2.000",
                                            "Threshold = 40 mV",
                                            "Acquisition Time = 300 seconds = 5 minutes",
                                            ""};
    EXPECT_EQ(commonHeaderLines(in), expected);
}

TEST(CommonHeader, InstrumentPrefixFollowsTheEdition) {
    for (const auto& [title, line] : {std::pair{"VORA-II MCA", "VORA-II s/n 7"}, {"TREL MCA", "Model 415 s/n 7"},
                                      {"OSKA MCA", "OSKA s/n 7"}, {"OSKA TALVO", "OSKA s/n 7"}}) {
        ReportHeaderInputs in = plainInputs();
        in.edition = *editionFromTitle(title);
        in.instrumentSerial = "7";
        EXPECT_EQ(commonHeaderLines(in)[5], line) << title;   // after 4 file and sample lines and a blank
    }
}

TEST(CommonHeader, GainAndTimeFormats) {
    struct Case {
        const char* coarse;
        double fine;
        const char* secondsText;
        double seconds;
        const char* fineLine;
        const char* overallLine;
        const char* timeLine;
    };
    for (const Case& c : {
             Case{"15", 1.25, "60.5", 60.5, "Fine Gain = 1.250", "Overall Gain = 18.750",
                  "Acquisition Time = 60.5 seconds = 1.008 minutes"},
             Case{"250", 256.0 / 256, "3725", 3725, "Fine Gain = 1.000", "Overall Gain = 250.000",
                  "Acquisition Time = 3725 seconds = 62.08 minutes"},
             Case{"2", 1.0 / 256, "0", 0, "Fine Gain = 0.004", "Overall Gain = 0.008",
                  "Acquisition Time = 0 seconds = 0 minutes"},
             Case{"35", 128.0 / 256, "86400", 86400, "Fine Gain = 0.500", "Overall Gain = 17.500",
                  "Acquisition Time = 86400 seconds = 1440 minutes"},
         }) {
        ReportHeaderInputs in = plainInputs();
        in.coarseGainText = c.coarse;
        in.fineGainFactor = c.fine;
        in.elapsedSecondsText = c.secondsText;
        in.elapsedSeconds = c.seconds;
        EXPECT_EQ(lineStartingWith(in, "Fine Gain"), c.fineLine);
        EXPECT_EQ(lineStartingWith(in, "Overall Gain"), c.overallLine);
        EXPECT_EQ(lineStartingWith(in, "Acquisition Time"), c.timeLine);
    }
}

TEST(CommonHeader, ExtraLinesFollowTheTitleBlank) {
    ReportBuilder r("c", "f");
    r.addTitle("TREL MCA:  Efficiency Calibration Report");
    addCommonHeader(r, plainInputs(), {"Efficiency calibration performed 2026-01-02 03:04:05"});
    const auto& p = r.paragraphs();
    ASSERT_EQ(p.size(), 2u + 1u + commonHeaderLines(plainInputs()).size());
    EXPECT_EQ(p[2].text, "Efficiency calibration performed 2026-01-02 03:04:05");
    EXPECT_EQ(p[3].text, "Spectrum File: (spectrum not saved)");
    for (std::size_t i = 1; i < p.size(); ++i) EXPECT_EQ(p[i].style, (ReportStyle{kBodyPoints, false})) << i;
}

TEST(CommonHeader, ReportTitlesCarryTheEdition) {
    EXPECT_EQ(reportTitle(*editionFromTitle("VORA-II MCA"), "Simple ROI Count Report"),
              "VORA-II MCA:  Simple ROI Count Report");
    EXPECT_EQ(reportTitle(*editionFromTitle("OSKA TALVO"), "X"), "OSKA MCA:  X");
}

class GatherHeader : public ::testing::Test {
protected:
    GatherHeader() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.session(1).serialNumber = "212345";
        w.session(1).settings.coarseGainIndex = 2;   // 15
        w.session(1).settings.fineGain = 319 - 255;  // (64 + 1) / 256
        w.session(2).serialNumber = "299999";
        w.session(2).settings.coarseGainIndex = 5;
        w.screen.elapsedTime = "61";
        w.state.realTime = 60.5;
        record[field::kName] = "Acme";
        record[field::kSerial] = "D1";
        record[field::kHighVoltage] = "850";
        record[field::kThreshold] = "50";
    }
    testing::TestWorkstation t;
    Workstation& w = *t;
    DetectorRecord record;
};

TEST_F(GatherHeader, DescribesMca1AndTheSavedFile) {
    t.writeAppFile("Spectra/a.usf", "x");
    w.screen.spectrumFileName = (t.app() / "Spectra" / "a.usf").string();
    w.sample.description = "Soil";
    const ReportHeaderInputs in = gatherReportHeaderInputs(w, record, {});
    EXPECT_EQ(in.instrumentSerial, "212345");
    EXPECT_EQ(in.coarseGainText, "15");
    EXPECT_DOUBLE_EQ(in.fineGainFactor, 65.0 / 256);
    EXPECT_TRUE(in.spectrumFromFile);
    EXPECT_TRUE(in.spectrumModified.has_value());
    EXPECT_EQ(lineStartingWith(in, "Acquisition Time"), "Acquisition Time = 61 seconds = 1.008 minutes");
    EXPECT_EQ(lineStartingWith(in, "Operating Voltage"), "Operating Voltage = 850V");
    EXPECT_EQ(lineStartingWith(in, "Sample Description"), "Sample Description:  Soil");
}

TEST_F(GatherHeader, NoFileNameMeansNotSavedAndAMissingFileHasNoDate) {
    EXPECT_FALSE(gatherReportHeaderInputs(w, record, {}).spectrumFromFile);
    const ReportHeaderInputs in = gatherReportHeaderInputs(w, record, (t.app() / "gone.usf").string());
    EXPECT_EQ(lineStartingWith(in, "Background File saved"), "Background File saved (file not found)");
}

TEST_F(GatherHeader, QuantityOnlyWhenUsed) {
    w.sample.quantity = "12";
    w.settings.sampleUnits = "ml";
    EXPECT_EQ(lineStartingWith(gatherReportHeaderInputs(w, record, {}), "Sample Quantity"), "Sample Quantity:  None");
    w.sample.useQuantity = true;
    EXPECT_EQ(lineStartingWith(gatherReportHeaderInputs(w, record, {}), "Sample Quantity"),
              "Sample Quantity:  12 ml");
}

}  // namespace
}  // namespace mca
