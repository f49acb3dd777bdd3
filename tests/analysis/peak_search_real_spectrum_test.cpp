// FindPeaks on measured spectra from the shared test data (the uncalibrated 2048-channel NaI-class
// spectra in interspec/, LGPL-2.1, see data/interspec/README.md): the documented full-energy peaks
// are found. Skipped when MCA_SHARED_DATA is unset or the files are absent.
#include "analysis/peak_search.h"

#include "peak_test_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace mca {
namespace {

struct SpeSpectrum {
    std::vector<double> counts = std::vector<double>(4096, 0.0);
    int channels = 0;
    double realTimeSeconds = 0;
};

// ASCII SPE: "$MEAS_TIM:" then "live real"; "$DATA:" then "first last" and one count a
// line.
std::optional<SpeSpectrum> readSpe(const std::filesystem::path& path) {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    SpeSpectrum spe;
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("$MEAS_TIM:", 0) == 0) {
            double live = 0;
            std::getline(in, line);
            std::istringstream(line) >> live >> spe.realTimeSeconds;
        } else if (line.rfind("$DATA:", 0) == 0) {
            int first = 0;
            int last = -1;
            std::getline(in, line);
            std::istringstream(line) >> first >> last;
            spe.channels = last - first + 1;
            for (int i = 0; i < spe.channels && i < 4096 && std::getline(in, line); ++i) {
                spe.counts[static_cast<std::size_t>(i)] = std::stod(line);
            }
        }
    }
    if (spe.channels != 2048 || spe.realTimeSeconds <= 0) return std::nullopt;
    return spe;
}

struct RealCase {
    std::string name;
    std::string file;
    std::vector<double> documentedChannels;   // README, observed +-2 channels
};

void PrintTo(const RealCase& c, std::ostream* os) { *os << c.name; }

std::string caseName(const ::testing::TestParamInfo<RealCase>& param) { return param.param.name; }

class MeasuredSpectra : public ::testing::TestWithParam<RealCase> {};

TEST_P(MeasuredSpectra, DocumentedPeaksAreFound) {
    const char* root = std::getenv("MCA_SHARED_DATA");
    if (root == nullptr) GTEST_SKIP() << "MCA_SHARED_DATA is not set";
    const std::filesystem::path path = std::filesystem::path(root) / "interspec" / GetParam().file;
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is absent";
    const std::optional<SpeSpectrum> spe = readSpe(path);
    ASSERT_TRUE(spe) << path;

    PeakAnalysisInput input = peak_test::inputFor(spe->counts, spe->channels, spe->realTimeSeconds);
    input.calibration = peak_test::linearCalibration(2.49, -49);   // the README's rough two-point line
    auto state = std::make_unique<PeakAnalysis>();
    FindPeaks(*state, input, PeakSearchSettings{});
    for (double documented : GetParam().documentedChannels) {
        bool found = false;
        for (const FoundPeak& peak : state->peaks) found = found || std::abs(*peak.centroidChannel - documented) <= 4;
        EXPECT_TRUE(found) << "no peak near channel " << documented;
    }
}

INSTANTIATE_TEST_SUITE_P(Interspec, MeasuredSpectra,
                         ::testing::Values(RealCase{"Cs137", "Cs137LowResNoCalib.spe", {284}},
                                           RealCase{"Co60", "Co60LowResNoCalib.spe", {490.5, 554.4}},
                                           RealCase{"Th232", "Th232LowResNoCalib.spe", {252, 384, 1075}}),
                         caseName);

}  // namespace
}  // namespace mca
