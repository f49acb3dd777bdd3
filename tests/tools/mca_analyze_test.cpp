// mca-analyze as a user runs it: info as JSON on a saved spectrum, resave, peaks (report and
// JSON), and the errors.
#include "spectrumio/spectrum_file_writer.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <numbers>
#include <ostream>
#include <vector>
#include <sys/wait.h>

namespace mca {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
};

ToolRun analyze(const std::string& arguments) {
    const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "mca-analyze";
    ToolRun run;
    FILE* pipe = ::popen(("'" + program.string() + "' " + arguments + " 2>/dev/null").c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class AnalyzeTool : public ::testing::Test {
protected:
    AnalyzeTool() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.state.channelCount = 1024;
        for (std::size_t i = 1; i < 1024; ++i) w.session(1).spectrum.counts[i] = 2.0;
        w.screen.elapsedTime = "300";
        w.sample.description = "Filter \"7\" north, dry";
        record[field::kName] = "NaI";
        record[field::kInput] = "0";
        record[field::kCoarseGain] = "3";
        record[field::kFineGain] = "100";
        record[field::kShapingTime] = "4";
        record[field::kChannelsCode] = "2";
        record[field::kFirstEnergy] = "100";
        record[field::kFirstChannel] = "100";
        record[field::kFirstEnergy + 1] = "1000";
        record[field::kFirstChannel + 1] = "1000";
        RecomputeEnergyCalibration(calibration, record);
        SpectrumFileSources sources{w, 1, record, nullptr, calibration, {}, {}, {}, {}};
        SaveSpectrumFile(sources, file);
    }

    testing::TestWorkstation t;
    Workstation& w = *t;
    DetectorRecord record;
    EnergyCalibration calibration;
    std::filesystem::path file = t.app() / "in.usf";
};

TEST_F(AnalyzeTool, InfoPrintsOneJsonObject) {
    const ToolRun run = analyze("info '" + file.string() + "' --json");
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* part : {"\"channels\":1024", "\"total_counts\":2046", "\"counting_time\":300",
                             "\"description\":\"Filter \\\"7\\\" north, dry\"", "\"order\":\"linear\"",
                             "\"linear_valid\":true", "\"points\":[[100,100],[1000,1000]]", "\"0\":0", "\"100\":100",
                             "\"1000\":1000", "\"1023\":1023"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
    }
    EXPECT_EQ(run.out.front(), '{');
    EXPECT_EQ(run.out.substr(run.out.size() - 2), "}\n");
}

TEST_F(AnalyzeTool, ResaveKeepsTheSpectrum) {
    const auto out = t.app() / "out.usf";
    ASSERT_EQ(analyze("resave '" + file.string() + "' '" + out.string() + "'").status, 0);
    const std::string a = readFileBytes(file);
    const std::string b = readFileBytes(out);
    // Everything after the first line (the save time) is the same.
    EXPECT_EQ(a.substr(a.find('\n')), b.substr(b.find('\n')));
}

// A .spe file is chosen by its extension in any case; 5000 channels are summed by 2 into 4096
// channels and the file's calibration follows the new numbering: keV(j) = 1 + 0.5 (2j + 0.5).
TEST_F(AnalyzeTool, InfoReadsSpeFiles) {
    std::string spe = "$SPEC_ID:\r\nKelp \"A\"\r\n$MEAS_TIM:\r\n120 125\r\n$DATA:\r\n0 4999\r\n";
    for (int ch = 0; ch < 5000; ++ch) spe += "1\r\n";
    spe += "$MCA_CAL:\r\n3\r\n1 0.5 0 keV\r\n";
    const auto path = t.app() / "kelp.SpE";
    writeFileAtomically(path, spe);
    const ToolRun run = analyze("info '" + path.string() + "' --json");
    ASSERT_EQ(run.status, 0) << run.out;
    for (const char* part : {"\"channels\":4096", "\"total_counts\":4998", "\"counting_time\":120",
                             "\"description\":\"Kelp \\\"A\\\"\"", "\"order\":\"linear\"", "\"linear_valid\":true",
                             "\"points\":[[409,410.25],[3686,3687.25]]", "\"100\":101.25", "\"1000\":1001.25"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
    }
    writeFileAtomically(t.app() / "bad.spe", "$DATA:\r\n0 x\r\n");
    EXPECT_EQ(analyze("info '" + (t.app() / "bad.spe").string() + "' --json").status, 1);
}

TEST_F(AnalyzeTool, ErrorsExitNonZero) {
    EXPECT_EQ(analyze("info /nonexistent/x.usf --json").status, 1);
    EXPECT_EQ(analyze("info").status, 2);
    EXPECT_EQ(analyze("resave '" + file.string() + "' /nonexistent/dir/out.usf").status, 1);
    writeFileAtomically(t.app() / "junk.usf", std::string("\xFF\xFE,\"\r\n\x01,,,,\"", 11));
    EXPECT_EQ(analyze("info '" + (t.app() / "junk.usf").string() + "' --json").status, 0);
}

// A 4096-channel spectrum at 0.5 keV per channel (keV = 0.5 ch) with Cs-137 and Co-60 peaks on a
// flat background, saved as a spectrum file.
class AnalyzePeaks : public ::testing::Test {
protected:
    AnalyzePeaks() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.state.channelCount = 4096;
        w.state.realTime = 600;
        w.screen.elapsedTime = "600";
        for (std::size_t i = 1; i < 4096; ++i) {
            double value = 20;
            for (const double keV : {661.657, 1173.228, 1332.492}) {
                const double z = (static_cast<double>(i) - keV / 0.5) / 5.0;
                value += 30000 / (5.0 * std::sqrt(2 * std::numbers::pi)) * std::exp(-z * z / 2);
            }
            w.session(1).spectrum.counts[i] = std::round(value);
        }
        record[field::kName] = "NaI";
        record[field::kChannelsCode] = "0";
        record[field::kFirstEnergy] = "100";
        record[field::kFirstChannel] = "200";
        record[field::kFirstEnergy + 1] = "1500";
        record[field::kFirstChannel + 1] = "3000";
        RecomputeEnergyCalibration(calibration, record);
        SpectrumFileSources sources{w, 1, record, nullptr, calibration, {}, {}, {}, {}};
        SaveSpectrumFile(sources, file);
    }

    testing::TestWorkstation t;
    Workstation& w = *t;
    DetectorRecord record;
    EnergyCalibration calibration;
    std::filesystem::path file = t.app() / "sources.usf";
};

// The numbers after every occurrence of "key":.
std::vector<double> jsonNumbers(const std::string& json, const std::string& key) {
    std::vector<double> values;
    const std::string tag = "\"" + key + "\":";
    for (std::size_t at = json.find(tag); at != std::string::npos; at = json.find(tag, at + 1)) {
        values.push_back(std::stod(json.substr(at + tag.size())));
    }
    return values;
}

TEST_F(AnalyzePeaks, JsonListsThePeaksWithTheirLabels) {
    const ToolRun run = analyze("peaks '" + file.string() + "' --rule kev:15 --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::size_t cs = run.out.find("\"label\":\"Cs-137\"}");
    const std::size_t co2 = run.out.find("\"label\":\"Co-60²\"}");
    const std::size_t co = run.out.find("\"label\":\"Co-60\"}]}");
    ASSERT_NE(cs, std::string::npos) << run.out;
    EXPECT_TRUE(cs < co2 && co2 < co && co != std::string::npos) << run.out;
    // The search's centroids come within a few keV of the lines (0.5 keV per channel).
    const std::vector<double> keV = jsonNumbers(run.out, "centroid_keV");
    ASSERT_EQ(keV.size(), 3u) << run.out;
    EXPECT_NEAR(keV[0], 661.657, 6);
    EXPECT_NEAR(keV[1], 1173.228, 6);
    EXPECT_NEAR(keV[2], 1332.492, 6);
    for (const char* key : {"centroid_channel", "left", "right", "net_counts", "net_cpm", "gross_counts",
                            "compton_counts", "significance"}) {
        EXPECT_EQ(jsonNumbers(run.out, key).size(), 3u) << key;
    }
    EXPECT_NEAR(jsonNumbers(run.out, "net_counts")[0], 30000, 3000);
}

TEST_F(AnalyzePeaks, ReportTextAndAnExplicitLibrary) {
    const ToolRun report = analyze("peaks '" + file.string() + "'");
    ASSERT_EQ(report.status, 0) << report.out;
    for (const char* line : {"TREL MCA: Peak-Based ID and Activity Report\n", "Peak identified if library energy within ±25 keV\n",
                             "There were 3 peaks found\n", "is probably Cs-137\n", "is probably Co-60\n",
                             "Confirmatory peak corresponding to 1173.228 keV\n"}) {
        EXPECT_NE(report.out.find(line), std::string::npos) << line << "\n" << report.out;
    }
    // A library of Cs-137 alone leaves the Co-60 peaks unidentified.
    const auto lib = t.app() / "cs.lib";
    writeFileAtomically(lib, "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
                             "Cs-137,11,30.09,years,Cesium,0,0\r\nCs-137,1,\"\",661.657,84.99,1,1\r\n");
    const ToolRun own = analyze("peaks '" + file.string() + "' --library '" + lib.string() + "' --rule percent:3");
    ASSERT_EQ(own.status, 0) << own.out;
    EXPECT_NE(own.out.find("within ±3 %\n"), std::string::npos) << own.out;
    std::size_t unidentified = 0;
    for (std::size_t at = own.out.find("UNIDENTIFIED"); at != std::string::npos; at = own.out.find("UNIDENTIFIED", at + 1)) {
        ++unidentified;
    }
    EXPECT_EQ(unidentified, 2u) << own.out;
}

TEST_F(AnalyzePeaks, BadArgumentsAndMissingInputs) {
    const std::string f = " '" + file.string() + "'";
    for (const std::string& args : {std::string("peaks"), "peaks" + f + " --rule bogus", "peaks" + f + " --rule fwhm:9",
                                    "peaks" + f + " --sensitivity -1", "peaks" + f + " --significance",
                                    "peaks" + f + " --calibration 1", "peaks" + f + " extra"}) {
        EXPECT_EQ(analyze(args).status, 2) << args;
    }
    EXPECT_EQ(analyze("peaks /nonexistent/x.usf").status, 1);
    EXPECT_EQ(analyze("peaks" + f + " --library /nonexistent/x.lib").status, 1);
    // Without an energy calibration there is no search, unless one is given.
    std::string spe = "$MEAS_TIM:\r\n60 60\r\n$DATA:\r\n0 1023\r\n";
    for (int ch = 0; ch < 1024; ++ch) spe += "5\r\n";
    writeFileAtomically(t.app() / "flat.spe", spe);
    const std::string flat = " '" + (t.app() / "flat.spe").string() + "'";
    EXPECT_EQ(analyze("peaks" + flat).status, 1);
    const ToolRun calibrated = analyze("peaks" + flat + " --calibration -49,2.49 --json");
    EXPECT_EQ(calibrated.status, 0);
    EXPECT_NE(calibrated.out.find("\"peaks\":[]"), std::string::npos) << calibrated.out;
}

// Measured spectra of the shared test data (see its README and licence files): the documented
// sources' main lines are found and labelled with the right nuclide from the shipped library.
// Skipped when MCA_SHARED_DATA is unset or the file is absent.
struct ExpectedLine {
    double keV;
    double toleranceKeV;   // the search centroid on a rough calibration
    const char* entry;     // a label entry the peak must carry
};

struct MeasuredCase {
    const char* name;
    const char* file;
    const char* arguments;
    std::vector<ExpectedLine> lines;
};

void PrintTo(const MeasuredCase& c, std::ostream* os) { *os << c.name; }

struct JsonPeak {
    double keV = 0;
    std::string label;
};

std::vector<JsonPeak> jsonPeaks(const std::string& json) {
    std::vector<JsonPeak> peaks;
    const std::vector<double> keV = jsonNumbers(json, "centroid_keV");
    const std::string tag = "\"label\":\"";
    std::size_t at = json.find(tag);
    for (const double e : keV) {
        if (at == std::string::npos) break;
        const std::size_t start = at + tag.size();
        peaks.push_back({e, json.substr(start, json.find('"', start) - start)});
        at = json.find(tag, start);
    }
    return peaks;
}

bool labelHas(const std::string& label, const std::string& entry) {
    return ("," + label + ",").find(", " + entry + ",") != std::string::npos ||
           label.rfind(entry + ",", 0) == 0 || label == entry;
}

class MeasuredSpectra : public ::testing::TestWithParam<MeasuredCase> {};

TEST_P(MeasuredSpectra, MainLinesAreFoundAndLabelled) {
    const char* root = std::getenv("MCA_SHARED_DATA");
    if (root == nullptr) GTEST_SKIP() << "MCA_SHARED_DATA is not set";
    const std::filesystem::path path = std::filesystem::path(root) / GetParam().file;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is absent";
    const ToolRun run = analyze("peaks '" + path.string() + "' " + GetParam().arguments + " --json");
    ASSERT_EQ(run.status, 0) << run.out;
    const std::vector<JsonPeak> peaks = jsonPeaks(run.out);
    for (const ExpectedLine& line : GetParam().lines) {
        bool found = false;
        for (const JsonPeak& p : peaks) {
            found = found || (std::abs(p.keV - line.keV) <= line.toleranceKeV && labelHas(p.label, line.entry));
        }
        EXPECT_TRUE(found) << line.entry << " at " << line.keV << " keV\n" << run.out;
    }
}

// The spectra in interspec/ carry no calibration: the README's two-point line keV = -49 + 2.49 ch.
INSTANTIATE_TEST_SUITE_P(
    SharedData, MeasuredSpectra,
    ::testing::Values(
        MeasuredCase{"InterspecCs137", "interspec/Cs137LowResNoCalib.spe", "--calibration -49,2.49",
                     {{661.657, 15, "Cs-137"}}},
        MeasuredCase{"InterspecCo60", "interspec/Co60LowResNoCalib.spe", "--calibration -49,2.49",
                     {{1173.228, 15, "Co-60²"}, {1332.492, 15, "Co-60"}}},
        MeasuredCase{"BecquerelHpgeCaveBackground", "becquerel/1110C_NAA_cave_background_May_2017.spe", "",
                     {{1460.822, 10, "K-40"}, {2614.511, 10, "Tl-208"}, {911.196, 10, "Ac-228"},
                      {238.632, 5, "Pb-212"}}},
        MeasuredCase{"BecquerelHpgeKelp", "becquerel/Mendocino_07-10-13_Acq-10-10-13.Spe", "",
                     {{1460.822, 10, "K-40"}, {2614.511, 10, "Tl-208"}}}),
    [](const ::testing::TestParamInfo<MeasuredCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace mca
