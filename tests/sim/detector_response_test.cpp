// The physics of the simulated detector: the response formulas on worked values, then seeded
// acquisitions whose histograms, built from the records as a host builds them, show each peak at
// the channel the gain formula predicts with the resolution the detector is meant to have.
#include "sim/detector_response.h"
#include "sim/gain.h"
#include "sim/instrument.h"

#include "sim/record_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace mca::sim {
namespace {

constexpr double kFwhmPerSigma = 2.354820045;
const std::string kHv800 = std::string("V\x66\x64", 3);  // code 6553 of 16383 x 2000 V: 799.98 V

TEST(DetectorResponse, WorkedValues) {
    EXPECT_NEAR(fwhmKeV(662), 46.34, 0.01) << "7 % at 662 keV";
    EXPECT_NEAR(fwhmKeV(4 * 662) / fwhmKeV(662), 2.0, 1e-12) << "FWHM grows as sqrt(E)";
    EXPECT_NEAR(comptonEdgeKeV(661.657), 477.3, 0.1);
    EXPECT_NEAR(comptonEdgeKeV(1332.492), 1118.1, 0.1);
    EXPECT_NEAR(photoFraction(662), 0.30, 1e-9);
    EXPECT_LT(photoFraction(1332.492), photoFraction(662)) << "falls with energy";
    EXPECT_DOUBLE_EQ(photoFraction(59.5409), 1.0);
}

struct Acquisition {
    std::vector<double> histogram;
    InstrumentState state;
};

Acquisition acquire(const std::vector<std::string>& sources, const std::string& settings, double seconds) {
    InstrumentConfig config;
    config.sources = sources;
    config.ratePerSecond = 3000;
    config.seed = 20261211;
    Instrument instrument(config);
    instrument.receive(settings + "G");
    std::string stream;
    for (double t = 0; t < seconds; t += 1.0) instrument.advance(1.0, 1 << 20, stream);
    Acquisition out{std::vector<double>(static_cast<std::size_t>(instrument.state().channels())), instrument.state()};
    for (const auto& r : testing::readThreeByteRecords(stream)) out.histogram.at(static_cast<std::size_t>(r.channel)) += 1;
    return out;
}

struct MeasuredPeak {
    double centroid;
    double fwhm;
};

// Moments of the counts within 1.5 FWHM of `expected`, above a straight background drawn
// through three channels beyond each end of the window.
MeasuredPeak measurePeak(const std::vector<double>& h, double expected, double fwhm) {
    const int lo = static_cast<int>(std::lround(expected - 1.5 * fwhm));
    const int hi = static_cast<int>(std::lround(expected + 1.5 * fwhm));
    auto mean3 = [&](int from) { return (h.at(from) + h.at(from + 1) + h.at(from + 2)) / 3.0; };
    const double left = mean3(lo - 3);
    const double right = mean3(hi + 1);
    const double slope = (right - left) / (hi - lo + 4);
    double sum = 0;
    double first = 0;
    double second = 0;
    for (int i = lo; i <= hi; ++i) {
        const double net = h.at(i) - (left + slope * (i - (lo - 2)));
        sum += net;
        first += net * i;
        second += net * i * i;
    }
    const double centroid = first / sum;
    return {centroid, kFwhmPerSigma * std::sqrt(second / sum - centroid * centroid)};
}

struct PeakCase {
    const char* name;
    const char* source;
    double energyKeV;
    std::string settings;
};

const PeakCase kPeakCases[] = {
    {"Cs-137 at one channel per keV", "cs137", 661.657, kHv800},
    {"Cs-137 at x35 in 512 channels", "cs137", 661.657, kHv800 + "C3M4"},
    {"Am-241 at x35 and fine 255", "am241", 59.5409, kHv800 + "C3F\xFF"},
    {"Mn-54 in 2048 channels", "mn54", 834.838, kHv800 + "M2"},
};

TEST(DetectorResponse, PeaksLandOnThePredictedChannelWithTheDetectorsResolution) {
    for (const auto& c : kPeakCases) {
        const Acquisition a = acquire({c.source}, c.settings, 40);
        const GainSettings gain = a.state.gain();
        const double expected = predictChannel(c.energyKeV, gain);
        const double channelsPerKeV = gainChannelsPerKeV(gain) / (1 << gain.resolutionShift);
        const MeasuredPeak peak = measurePeak(a.histogram, expected, fwhmKeV(c.energyKeV) * channelsPerKeV);
        EXPECT_NEAR(peak.centroid, expected, 1.0) << c.name;
        const double resolution = peak.fwhm / channelsPerKeV / c.energyKeV;
        const double wanted = 0.07 * std::sqrt(662.0 / c.energyKeV);
        EXPECT_NEAR(resolution / wanted, 1.0, 0.06) << c.name << ": FWHM/E " << resolution;
    }
}

TEST(DetectorResponse, ThresholdAndHighVoltageDecideWhatIsDigitised) {
    const std::string threshold250 = "T\x1F\x40\x64";  // threshold 250 (Tv 500), offset 50
    const Acquisition cut = acquire({"cs137"}, kHv800 + threshold250, 5);
    double below = 0;
    double above = 0;
    for (std::size_t i = 0; i < cut.histogram.size(); ++i) (i < 500 ? below : above) += cut.histogram[i];
    EXPECT_EQ(below, 0) << "nothing under the threshold";
    EXPECT_GT(above, 1000);

    for (const std::string& hv : {std::string("V\x0B\x84"), std::string()}) {  // 90 V, none at all
        const Acquisition dark = acquire({"cs137", "co60"}, hv, 5);
        double total = 0;
        for (const double v : dark.histogram) total += v;
        EXPECT_EQ(total, 0) << "at " << dark.state.hvVolts() << " V the pulses stay under the threshold";
    }
}

}  // namespace
}  // namespace mca::sim
