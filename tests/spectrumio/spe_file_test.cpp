// .spe spectra: parsing, fitting into 256..4096 channels with the calibration converted, the
// errors of bad files, loading offline as our own files load, and a real measured file.
#include "spectrumio/spe_channels.h"
#include "spectrumio/spe_file_loader.h"
#include "spectrumio/spe_file_reader.h"

#include "calibration/energy_calibration.h"
#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>

namespace mca {
namespace {

// A file with `channels` counts of 1 (channel c holds c % 7 when `varied`), CR LF line ends.
std::string speText(long long channels, const std::string& calibration = {}, bool varied = false) {
    std::string t = "$SPEC_ID:\r\nSoil 4\r\n$SPEC_REM:\r\nDET# 1\r\nDETDESC# Probe 7\r\n$DATE_MEA:\r\n"
                    "02/09/2018 10:03:36\r\n$MEAS_TIM:\r\n296 300\r\n$DATA:\r\n0 " +
                    std::to_string(channels - 1) + "\r\n";
    for (long long c = 0; c < channels; ++c) t += "       " + std::to_string(varied ? c % 7 : 1) + "\r\n";
    return t + calibration;
}

double sum(const std::array<double, kMaxChannels>& counts) { return std::accumulate(counts.begin(), counts.end(), 0.0); }

TEST(SpeFile, FitsIntoSupportedChannelCounts) {
    struct Case {
        long long channels;
        int factor;
        int channelCount;
    };
    for (const Case& c : {Case{100, 1, 256}, Case{256, 1, 256}, Case{257, 1, 512}, Case{1001, 1, 1024},
                          Case{2048, 1, 2048}, Case{4094, 1, 4096}, Case{4096, 1, 4096}, Case{4097, 2, 4096},
                          Case{5000, 2, 4096}, Case{8192, 2, 4096}, Case{12289, 4, 4096}, Case{16384, 4, 4096}}) {
        const SpeSpectrum spe = parseSpeText(speText(c.channels, {}, true));
        const FittedChannels fitted = fitChannels(spe);
        EXPECT_EQ(fitted.summingFactor, c.factor) << c.channels;
        EXPECT_EQ(fitted.channelCount, c.channelCount) << c.channels;
        EXPECT_EQ(sum(fitted.counts), std::accumulate(spe.counts.begin(), spe.counts.end(), 0.0)) << c.channels;
    }
}

TEST(SpeFile, SummingAddsNeighboursAndPadsWithZeros) {
    const FittedChannels fitted = fitChannels(parseSpeText(speText(5000, {}, true)));
    // New channel j holds old channels 2j and 2j+1: (2j % 7) + ((2j+1) % 7).
    for (int j : {0, 3, 1000, 2499}) EXPECT_EQ(fitted.counts[j], (2 * j) % 7 + (2 * j + 1) % 7) << j;
    EXPECT_EQ(fitted.counts[2500], 0);
    EXPECT_EQ(fitted.counts[4095], 0);
}

TEST(SpeFile, SummedCalibrationGivesTheEnergyOfTheOldChannelsCentre) {
    for (const EnergyPolynomial c : {EnergyPolynomial{0, 0.378444, 0}, EnergyPolynomial{-0.035087, 0.1828039, -6.86613e-10},
                                     EnergyPolynomial{12, 2, 0.001}}) {
        for (int f : {1, 2, 3, 4}) {
            const EnergyPolynomial s = summedCalibration(c, f);
            for (double j : {0.0, 10.0, 2047.0, 4095.0}) {
                const double old = f * j + (f - 1) / 2.0;
                EXPECT_NEAR(s.a0 + s.a1 * j + s.a2 * j * j, c.a0 + c.a1 * old + c.a2 * old * old, 1e-9)
                    << f << " " << j;
            }
        }
    }
    EXPECT_EQ(summedCalibration({1, 0.5, 0}, 2), (EnergyPolynomial{1.25, 1.0, 0}));
    EXPECT_EQ(summedCalibration({1, 0.5, 0.25}, 1), (EnergyPolynomial{1, 0.5, 0.25}));
}

TEST(SpeFile, CalibrationSources) {
    struct Case {
        const char* name;
        std::string sections;
        std::optional<EnergyPolynomial> expected;
    };
    const std::vector<Case> cases{
        {"none", "", std::nullopt},
        {"mca_cal with unit", "$MCA_CAL:\r\n3\r\n-3.508700E-002 1.828039E-001 -6.866130E-010 keV\r\n",
         EnergyPolynomial{-0.035087, 0.1828039, -6.86613e-10}},
        {"mca_cal before ener_fit", "$ENER_FIT:\r\n1 2\r\n$MCA_CAL:\r\n2\r\n3 4\r\n", EnergyPolynomial{3, 4, 0}},
        {"all zero", "$ENER_FIT:\r\n0 0\r\n$MCA_CAL:\r\n3\r\n0 0 0\r\n", std::nullopt},
        {"zero mca_cal falls back to ener_fit", "$ENER_FIT:\r\n1.5 0.5\r\n$MCA_CAL:\r\n3\r\n0 0 0\r\n",
         EnergyPolynomial{1.5, 0.5, 0}},
        {"cubic is not taken", "$MCA_CAL:\r\n4\r\n1 2 3 4\r\n", std::nullopt},
        {"cubic with zero term", "$MCA_CAL:\r\n4\r\n1 2 3 0\r\n", EnergyPolynomial{1, 2, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseSpeText(speText(10, c.sections)).calibration, c.expected) << c.name;
    }
}

TEST(SpeFile, MissingOptionalSectionsReadAsEmpty) {
    const SpeSpectrum spe = parseSpeText("$DATA:\n2 4\n5\n6 7\n");
    EXPECT_EQ(spe.counts, (std::vector<double>{0, 0, 5, 6, 7}));
    EXPECT_EQ(spe.specId, "");
    EXPECT_EQ(spe.liveSeconds, 0);
    EXPECT_EQ(spe.realSeconds, 0);
    EXPECT_FALSE(spe.calibration);
    EXPECT_EQ(speDetectorDescription(spe), "");
}

TEST(SpeFile, BadInputGivesAClearError) {
    struct Case {
        const char* name;
        std::string text;
        const char* message;
    };
    const std::vector<Case> cases{
        {"no data", "$SPEC_ID:\nx\n", "The file has no $DATA: section."},
        {"empty", "", "The file has no $DATA: section."},
        {"one number range", "$DATA:\n5\n", "does not start with the first and last channel"},
        {"backwards range", "$DATA:\n5 2\n1\n", "ends before it starts"},
        {"range not a number", "$DATA:\n0 1k\n1\n", "\"1k\", which is not a channel number"},
        {"negative range", "$DATA:\n-1 3\n1\n", "\"-1\", which is not a channel number"},
        {"hex range", "$DATA:\n0 0x10\n1\n", "\"0x10\", which is not a channel number"},
        {"huge range", "$DATA:\n0 99999999999\n1\n", "more than 1048576 channels"},
        {"count not a number", "$DATA:\n0 2\n1\n2x\n3\n", "Channel 1 of $DATA: holds \"2x\", which is not a number."},
        {"count nan", "$DATA:\n0 1\nnan\n1\n", "which is not a number"},
        {"count comma", "$DATA:\n0 1\n1,5\n1\n", "which is not a number"},
        {"negative count", "$DATA:\n0 1\n1\n-4\n", "Channel 1 of $DATA: is negative."},
        {"too few counts", "$DATA:\n0 3\n1\n2\n$ROI:\n0\n", "ends after 2 of 4 channels"},
        {"times", "$MEAS_TIM:\n296\n$DATA:\n0 0\n1\n", "is not \"live real\""},
        {"time not a number", "$MEAS_TIM:\nabc 3\n$DATA:\n0 0\n1\n", "The live time of $MEAS_TIM: holds \"abc\""},
        {"negative time", "$MEAS_TIM:\n1 -3\n$DATA:\n0 0\n1\n", "negative"},
        {"short mca_cal", "$DATA:\n0 0\n1\n$MCA_CAL:\n3\n1 2\n", "fewer coefficients"},
        {"mca_cal count", "$DATA:\n0 0\n1\n$MCA_CAL:\nthree\n1 2 3\n", "coefficient count"},
        {"ener_fit word", "$DATA:\n0 0\n1\n$ENER_FIT:\n0 slope\n", "$ENER_FIT: holds \"slope\""},
    };
    for (const Case& c : cases) {
        try {
            parseSpeText(c.text);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const SpeFormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
        }
    }
}

TEST(SpeFile, ExtensionIsMatchedInAnyCase) {
    for (const char* name : {"a.spe", "a.SPE", "dir/b.Spe"}) EXPECT_TRUE(isSpeFile(name)) << name;
    for (const char* name : {"a.usf", "spe", "a.spe.usf", "a.sp"}) EXPECT_FALSE(isSpeFile(name)) << name;
}

class SpeLoad : public ::testing::Test {
protected:
    SpeLoad() {
        w.state.offline = true;
        w.settings.sampleUnits = "ml";
    }
    bool load(const std::filesystem::path& path) {
        SpectrumLoadHooks hooks;
        SpectrumLoadTarget target{w, 1, record, 0, {}, calibration, hooks, {}};
        return LoadSpeFile(target, path);
    }
    testing::TestWorkstation t;
    Workstation& w = *t;
    DetectorRecord record;
    EnergyCalibration calibration;
};

TEST_F(SpeLoad, OfflineTakesCountsTimesSampleAndCalibration) {
    const auto path = t.app() / "x.SPE";
    writeFileAtomically(path, speText(8192, "$MCA_CAL:\r\n3\r\n2 0.25 0.00001 keV\r\n", true));
    ASSERT_TRUE(load(path)) << ::testing::PrintToString(t.op.messages());
    EXPECT_EQ(w.state.channelCount, 4096);
    EXPECT_EQ(w.state.realTime, 296);   // the live time
    EXPECT_EQ(w.sample.description, "Soil 4");
    EXPECT_EQ(w.settings.sampleUnits, "ml");
    EXPECT_EQ(w.state.startDateText, "2018-02-09 10:03:36");
    EXPECT_EQ(w.state.stopDateText, "2018-02-09 10:08:36");
    EXPECT_EQ(w.screen.spectrumFileName, path.string());
    EXPECT_EQ(record[field::kName], "Probe 7");
    EXPECT_EQ(record[field::kCalibrationOrder], "2");
    EXPECT_EQ(w.session(1).spectrum.counts[7], (14 % 7) + (15 % 7));
    EXPECT_EQ(w.session(1).spectrum.counts[0], 0);   // channel 0 is never loaded
    ASSERT_TRUE(isQuadraticActive(calibration));
    for (double j : {1.0, 500.0, 2000.0, 4095.0}) {
        const double old = 2 * j + 0.5;
        EXPECT_NEAR(ChannelToKeV(calibration, j), 2 + 0.25 * old + 0.00001 * old * old, 1e-6) << j;
    }
}

TEST_F(SpeLoad, LinearCalibrationAndNoCalibration) {
    writeFileAtomically(t.app() / "lin.spe", speText(1001, "$ENER_FIT:\r\n-3 1.5\r\n"));
    ASSERT_TRUE(load(t.app() / "lin.spe"));
    EXPECT_EQ(w.state.channelCount, 1024);
    EXPECT_TRUE(calibration.linearValid);
    EXPECT_NEAR(ChannelToKeV(calibration, 600), -3 + 1.5 * 600, 1e-9);
    writeFileAtomically(t.app() / "none.spe", speText(300, "$ENER_FIT:\r\n0 0\r\n"));
    ASSERT_TRUE(load(t.app() / "none.spe"));
    EXPECT_EQ(w.state.channelCount, 512);
    EXPECT_EQ(energyCalibrationKind(calibration), EnergyCalibrationKind::None);
}

TEST_F(SpeLoad, ABadFileIsReportedAndChangesNothing) {
    writeFileAtomically(t.app() / "bad.spe", "$DATA:\r\n0 3\r\n1\r\n");
    w.state.channelCount = 2048;
    w.session(1).spectrum.counts[5] = 9;
    EXPECT_FALSE(load(t.app() / "bad.spe"));
    EXPECT_FALSE(load(t.app() / "missing.spe"));
    const std::vector<std::string> expected{
        (t.app() / "bad.spe").string() + ": The $DATA: section ends after 1 of 4 channels.",
        "Cannot open file " + (t.app() / "missing.spe").string()};
    EXPECT_EQ(t.op.messages(), expected);
    EXPECT_EQ(w.state.channelCount, 2048);
    EXPECT_EQ(w.session(1).spectrum.counts[5], 9);
}

// A measured HPGe spectrum of 8192 channels with a linear calibration, 0.378444 keV per channel.
TEST_F(SpeLoad, RealMeasuredSpectrum) {
    const char* shared = std::getenv("MCA_SHARED_DATA");
    if (!shared) GTEST_SKIP() << "MCA_SHARED_DATA is not set";
    const auto path = std::filesystem::path(shared) / "becquerel" / "Mendocino_07-10-13_Acq-10-10-13.Spe";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << path << " is absent";
    const SpeSpectrum spe = parseSpeText(readFileBytes(path));
    ASSERT_EQ(spe.counts.size(), 8192u);
    EXPECT_EQ(std::accumulate(spe.counts.begin(), spe.counts.end(), 0.0), 2279915);
    ASSERT_TRUE(load(path));
    EXPECT_EQ(w.state.channelCount, 4096);
    EXPECT_EQ(w.state.realTime, 595642);
    EXPECT_EQ(w.session(1).spectrum.sum(4096) + spe.counts[0] + spe.counts[1], 2279915);
    // K-40 at 1460.8 keV sits near old channel 3860, new channel 1930.
    EXPECT_NEAR(KeVToChannel(calibration, 1460.8, 4096), 3860 / 2.0, 2);
    EXPECT_NEAR(ChannelToKeV(calibration, 1930), 0.378444 * (2 * 1930 + 0.5), 1e-6);
}

}  // namespace
}  // namespace mca
