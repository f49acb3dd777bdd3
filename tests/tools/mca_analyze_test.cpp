// mca-analyze as a user runs it: info as JSON on a saved spectrum, resave, and the errors.
#include "spectrumio/spectrum_file_writer.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
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

TEST_F(AnalyzeTool, ErrorsExitNonZero) {
    EXPECT_EQ(analyze("info /nonexistent/x.usf --json").status, 1);
    EXPECT_EQ(analyze("info").status, 2);
    EXPECT_EQ(analyze("resave '" + file.string() + "' /nonexistent/dir/out.usf").status, 1);
    writeFileAtomically(t.app() / "junk.usf", std::string("\xFF\xFE,\"\r\n\x01,,,,\"", 11));
    EXPECT_EQ(analyze("info '" + (t.app() / "junk.usf").string() + "' --json").status, 0);
}

}  // namespace
}  // namespace mca
