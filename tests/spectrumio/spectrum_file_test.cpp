// Spectrum files: the header rows, the layouts, round trips through the offline load, the live
// load's refusals and warnings, and the line-by-line reading of short files.
#include "spectrumio/spectrum_file_loader.h"
#include "spectrumio/spectrum_file_layout.h"
#include "spectrumio/spectrum_file_reader.h"
#include "spectrumio/spectrum_file_writer.h"

#include "core/atomic_file.h"
#include "core/hardware_codes.h"
#include "core/text_encoding.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;

DetectorRecord labDetector() {
    DetectorRecord r;
    r[field::kName] = "NaI 2x2";
    r[field::kSerial] = "D-1001";
    r[field::kDescription] = "Lead castle, shelf 2";
    r[field::kCableLength] = "10";
    r[field::kCableUnits] = "ft.";
    r[field::kInput] = "1";
    r[field::kHighVoltage] = "850";
    r[field::kNotToExceed] = "1200";
    r[field::kCoarseGain] = "2";
    r[field::kFineGain] = "127";
    r[field::kShapingTime] = "3";
    r[field::kThreshold] = "50";
    r[field::kChannelsCode] = "0";
    r[field::kFirstEnergy] = "32.89";
    r[field::kFirstEnergy + 1] = "661.7";
    r[field::kFirstChannel] = "33";
    r[field::kFirstChannel + 1] = "662";
    r[field::kRampHv] = "1";
    r[field::kRampValue] = "6";
    r[field::kZeroHv] = "0";
    r[field::kCalibrationOrder] = "1";
    return r;
}

class SpectrumFileTest : public ::testing::Test {
protected:
    SpectrumFileTest() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.session(1).serialNumber = "212345";
        w.session(1).firmwareText = "1.08";
        RecomputeEnergyCalibration(calibration, record);
        std::filesystem::create_directories(w.folders.spectra);
    }

    void fill(int channels) {
        w.state.channelCount = channels;
        for (int i = 0; i < channels; ++i) w.session(1).spectrum.counts[static_cast<std::size_t>(i)] = (i * 37) % 1000;
        w.screen.elapsedTime = "600";
        w.state.startDateText = "2026-12-11 09:00:00";
        w.state.stopDateText = "2026-12-11 09:10:00";
    }

    std::filesystem::path save(int instrument = 1) {
        SpectrumFileSources sources{w, instrument, record, nullptr, calibration, "Lab.roi", "Lab", {}, {}};
        const auto path = w.folders.spectra / "test.usf";
        SaveSpectrumFile(sources, path);
        return path;
    }

    TestWorkstation t;
    Workstation& w = *t;
    DetectorRecord record = labDetector();
    EnergyCalibration calibration;
    SpectrumLoadHooks hooks;
};

TEST_F(SpectrumFileTest, HeaderRowsHaveTheirLabelsAndValues) {
    fill(4096);
    w.sample.description = "Soil, 20 cm";
    w.sample.quantity = "125.5";
    const Grid g = readSpectrumFile(save());
    ASSERT_EQ(g.rowCount(), 4096);
    ASSERT_EQ(g.columnCount(), 3);
    struct Row {
        int row;
        const char* label;
        const char* value;
    };
    const Row rows[] = {
        {1, "Detector:", "NaI 2x2"},
        {6, "Input and Polarity:", "Input 1, Positive Polarity"},
        {9, "Coarse Gain:", "15"},
        {10, "Fine Gain:", "0.500"},
        {11, "Overall Gain:", "7.500"},
        {12, "Shaping Time:", "2.0 µS"},
        {14, "TREL MCA Version:", "1.08"},
        {15, "Counting Time (sec):", "600"},
        {17, "Sample Description:", "Soil, 20 cm"},
        {18, "Sample Quantity:", "125.5"},
        {19, "Sample Units:", "g"},
        {22, "Model 415 Serial Number:", "212345"},
        {23, "<RESERVED>", ""},
        {24, "Sqrt-to-FWHM Multiplier:", "1"},
        {25, "FWHM-to-Peak Multiplier:", "2.35"},
        {30, "Average % Dead Time:", "0"},
        {31, "Dead-Time Corrected?", "Y"},
        {39, "Number of Channels:", "4096"},
        {40, "Energy Cal Data", "linear"},
        {41, "Channel", "keV"},
        {42, "33", "32.89"},
        {43, "662", "661.7"},
        {44, "", ""},
        {56, "Linear Factors", "Quadratic Factors"},
        {60, "ROI File:", "Lab.roi"},
        {61, "Eff Cal File:", "Lab"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(g.cell(r.row, 1), r.label) << "row " << r.row;
        EXPECT_EQ(g.cell(r.row, 2), r.value) << "row " << r.row;
    }
    EXPECT_EQ(g.cell(100, 0), "700.0000");
    EXPECT_EQ(record[field::kSqrtToFwhm], "1");   // the defaults stay in the record
}

TEST_F(SpectrumFileTest, BytesOfTheFileAreWindows1252WithCrLf) {
    fill(256);
    const std::string bytes = readFileBytes(save());
    EXPECT_NE(bytes.find("\r\n444.0000,Shaping Time:,2.0 \xB5S\r\n"), std::string::npos);
    const std::string lastLine = "\r\n435.0000,\"\",\"\"\r\n";
    EXPECT_EQ(bytes.substr(bytes.size() - lastLine.size()), lastLine);
    for (std::size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
        ASSERT_EQ(bytes[i - 1], '\r');
    }
}

TEST_F(SpectrumFileTest, TotalCountsAreGroupedAndLargeOnesInExponentForm) {
    fill(1024);
    w.session(1).spectrum.counts.fill(0);
    w.session(1).spectrum.counts[5] = 1234567;
    EXPECT_EQ(readSpectrumFile(save()).cell(usf::kTotalCounts, 2), "1,234,567");
    EXPECT_NE(readFileBytes(save()).find("\"1,234,567\""), std::string::npos);
    w.session(1).spectrum.counts[6] = 10000000;
    EXPECT_EQ(readSpectrumFile(save()).cell(usf::kTotalCounts, 2), "1.123457E7");
}

TEST_F(SpectrumFileTest, PlainHeaderDropsLabelsButReadsBackTheSame) {
    fill(512);
    w.state.plainFileHeader = true;
    const Grid g = readSpectrumFile(save());
    for (int row = 0; row <= 61; ++row) {
        const bool numberRow = (row >= 42 && row <= 55) || row == 57 || row == 58;
        if (!numberRow) {
            EXPECT_EQ(g.cell(row, 1), "") << "row " << row;
        }
    }
    EXPECT_EQ(g.cell(usf::kInput, 2), "1");        // the code itself
    EXPECT_EQ(g.cell(usf::kCoarseGain, 2), "2");
    EXPECT_EQ(g.cell(42, 1), "33");
}

class OfflineRoundTrip : public SpectrumFileTest, public ::testing::WithParamInterface<std::tuple<int, bool>> {};

TEST_P(OfflineRoundTrip, ReadsBackWhatWasWritten) {
    const auto [channels, plain] = GetParam();
    fill(channels);
    w.sample.description = "Filter, \"A\" side";
    w.state.plainFileHeader = plain;
    record[field::kChannelsCode] = std::to_string(std::find(kChannelCountByCode.begin(), kChannelCountByCode.end(),
                                                            channels) - kChannelCountByCode.begin());
    const auto path = save();
    const Spectrum written = w.session(1).spectrum;

    TestWorkstation other;
    Workstation& o = *other;
    o.state.edition = w.state.edition;
    o.state.offline = true;
    DetectorRecord loaded;
    EnergyCalibration cal;
    SpectrumLoadTarget target{o, 1, loaded, 0, {}, cal, hooks, {}};
    ASSERT_TRUE(LoadSpectrumFile(target, path));
    EXPECT_EQ(o.state.channelCount, channels);
    EXPECT_DOUBLE_EQ(o.session(1).spectrum.counts[0], 0.0);
    for (int i = 1; i < channels; ++i) {
        ASSERT_DOUBLE_EQ(o.session(1).spectrum.counts[static_cast<std::size_t>(i)],
                         written.counts[static_cast<std::size_t>(i)]) << i;
    }
    EXPECT_EQ(o.sample.description, "Filter, \"A\" side");
    EXPECT_EQ(o.screen.elapsedTime, "600");
    EXPECT_DOUBLE_EQ(o.state.realTime, 600.0);
    EXPECT_EQ(o.state.startDateText, "2026-12-11 09:00:00");
    if (!plain) {
        for (int f : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 27, 28, 44, 45, 46, 47, 48, 49}) {
            EXPECT_EQ(loaded[f], record[f]) << "field " << f;
        }
        EXPECT_EQ(o.session(1).settings.coarseGainIndex, 2);
        EXPECT_EQ(o.session(1).settings.fineGain, 127);
        EXPECT_EQ(o.session(1).settings.shapingIndex, 3);
    }
    EXPECT_TRUE(cal.linearValid);
    EXPECT_EQ(o.screen.indicator, "Spectrum Loaded");
    EXPECT_EQ(o.session(1).serialNumber, "212345");
    EXPECT_FALSE(o.screen.hardwareControlsEnabled);
}

INSTANTIATE_TEST_SUITE_P(Channels, OfflineRoundTrip,
                         ::testing::Combine(::testing::Values(256, 512, 1024, 2048, 4096), ::testing::Bool()));

// Every fine-gain position survives its 3-decimal factor in the file and comes back offline.
TEST_F(SpectrumFileTest, EveryFineGainPositionComesBackOffline) {
    fill(4096);
    for (int position = 0; position <= kMaxFineGain; ++position) {
        record[field::kFineGain] = std::to_string(position);
        const auto path = save();
        TestWorkstation other;
        Workstation& o = *other;
        o.state.offline = true;
        DetectorRecord loaded;
        EnergyCalibration cal;
        SpectrumLoadTarget target{o, 1, loaded, 0, {}, cal, hooks, {}};
        ASSERT_TRUE(LoadSpectrumFile(target, path));
        ASSERT_EQ(o.session(1).settings.fineGain, position);
    }
}

class LiveLoadTest : public SpectrumFileTest {
protected:
    bool loadLive(const std::filesystem::path& path, DetectorRecord& live) {
        SpectrumLoadTarget target{w, 1, live, 0, {}, calibration, hooks, {"850", "15", "50"}};
        return LoadSpectrumFile(target, path);
    }
};

TEST_F(LiveLoadTest, SameDetectorLoadsCountsTimesAndSample) {
    fill(4096);
    w.sample.description = "Water";
    const auto path = save();
    w.session(1).spectrum.clear();
    w.sample.description.clear();
    DetectorRecord live = labDetector();
    ASSERT_TRUE(loadLive(path, live));
    EXPECT_TRUE(t.op.messages().empty());
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[100], 700.0);
    EXPECT_EQ(w.sample.description, "Water");
    EXPECT_EQ(live, labDetector());   // live loading never touches the detector
}

TEST_F(LiveLoadTest, ADifferentDetectorIsRefusedEvenByTextOnly) {
    fill(4096);
    const auto path = save();
    DetectorRecord live = labDetector();
    live[field::kCableLength] = "10.0";
    EXPECT_FALSE(loadLive(path, live));
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{kDifferentDetectorMessage});
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.sum(), 0.0);   // left cleared
}

TEST_F(LiveLoadTest, DifferentSettingsAreWarnedInOrderAndLoaded) {
    fill(4096);
    record[field::kHighVoltage] = "900";
    record[field::kCoarseGain] = "3";
    record[field::kThreshold] = "20";
    const auto path = save();
    DetectorRecord live = labDetector();
    ASSERT_TRUE(loadLive(path, live));
    EXPECT_EQ(t.op.messages(), (std::vector<std::string>{kDifferentHvWarning, kDifferentCoarseGainWarning,
                                                         kDifferentThresholdWarning}));
}

TEST_F(LiveLoadTest, ABadCountEndsTheLoadWithTheConversionMessage) {
    fill(4096);
    std::string bytes = readFileBytes(save());
    const auto at = bytes.find("\r\n700.0000,");
    bytes.replace(at + 2, 8, "7x0.0000");
    writeFileAtomically(w.folders.spectra / "bad.usf", bytes);
    DetectorRecord live = labDetector();
    EXPECT_FALSE(loadLive(w.folders.spectra / "bad.usf", live));
    EXPECT_EQ(t.op.messages(), std::vector<std::string>{"'7x0.0000' is not a valid floating point value"});
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[99], (99 * 37) % 1000);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[101], 0.0);
}

TEST_F(LiveLoadTest, AMissingFileIsReported) {
    DetectorRecord live = labDetector();
    EXPECT_FALSE(loadLive(w.folders.spectra / "none.usf", live));
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_EQ(t.op.messages()[0].rfind("Cannot open file ", 0), 0u);
}

TEST(SpectrumReader, ShortFilesAreReadLineByLine) {
    const Grid g = parseSpectrumText("0,\"Spectrum Saved:\",x\r\n12.5,\"Detector:\",\"NaI, 3x3\"\r\n7,a\r\n9\r\n");
    EXPECT_EQ(g.rowCount(), 4);
    EXPECT_EQ(g.cell(1, 0), "12.5");
    EXPECT_EQ(g.cell(1, 1), "Detector:");
    EXPECT_EQ(g.cell(1, 2), "NaI, 3x3");   // the rest of the line, its quotes dropped
    EXPECT_EQ(g.cell(2, 1), "a");
    EXPECT_EQ(g.cell(3, 0), "9");
}

TEST_F(SpectrumFileTest, OfflineFileWithoutChannelRowLoadsAs4096AndStopsAtABadCount) {
    std::string text;
    for (int i = 0; i < 4096; ++i) text += (i == 3000 ? std::string("junk") : std::to_string(i % 7)) + ",\"\",\"\"\r\n";
    writeFileAtomically(w.folders.spectra / "plain.usf", text);
    w.state.offline = true;
    w.state.channelCount = 256;
    DetectorRecord loaded;
    EnergyCalibration cal;
    SpectrumLoadTarget target{w, 1, loaded, 3, {}, cal, hooks, {}};
    ASSERT_TRUE(LoadSpectrumFile(target, w.folders.spectra / "plain.usf"));
    EXPECT_EQ(w.state.channelCount, 4096);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[2999], 2999 % 7);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[3000], 0.0);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[3001], 0.0);
    EXPECT_EQ(loaded[field::kSelectedIndex], "3");
    EXPECT_EQ(loaded[field::kSqrtToFwhm], "1");
    EXPECT_EQ(loaded[field::kCalibrationOrder], "1");
    EXPECT_TRUE(t.op.messages().empty());
}

TEST_F(SpectrumFileTest, TwoInstrumentLayoutHasFiveColumnsAndTheSecondBlock) {
    fill(256);
    w.session(2).open = true;
    w.session(2).serialNumber = "298765";
    w.session(2).spectrum.counts[10] = 5;
    const DetectorRecord second = labDetector();
    SpectrumFileSources sources{w, 1, record, &second, calibration, {}, {}, {}, {}};
    const Grid g = buildSpectrumGrid(sources);
    ASSERT_EQ(g.columnCount(), 5);
    EXPECT_EQ(g.cell(10, 0), "375.0000");   // 370 + 5
    EXPECT_EQ(g.cell(10, 3), "370.0000");
    EXPECT_EQ(g.cell(10, 4), "5.0000");
    EXPECT_EQ(g.cell(71, 1), "2nd Model 415 Serial Number:");
    EXPECT_EQ(g.cell(71, 2), "298765");
    EXPECT_EQ(g.cell(80, 1), "2nd Coarse Gain:");
    EXPECT_EQ(g.cell(80, 2), "15");
}

TEST_F(SpectrumFileTest, NetworkAndWeatherBlocks) {
    fill(256);
    w.state.networkMode = true;
    w.state.fieldStation = true;
    NetworkFileBlock network;
    network.countingSeconds = 299.5;
    network.minStabFineGain = 0.4995;
    network.measuredHv = 851;
    WeatherFileBlock weather;
    weather.start[0] = "120000";
    weather.end[0] = "121000";
    weather.end[17] = "3.2";
    SpectrumFileSources sources{w, 1, record, nullptr, calibration, {}, {}, network, weather};
    const Grid g = buildSpectrumGrid(sources);
    EXPECT_EQ(g.cell(usf::kCountingTime, 2), "299.5");
    EXPECT_EQ(g.cell(66, 1), "Min Stab FG");
    EXPECT_EQ(g.cell(66, 2), "0.500");
    EXPECT_EQ(g.cell(70, 2), "851");
    EXPECT_EQ(g.cell(86, 1), "Start UTC");
    EXPECT_EQ(g.cell(90, 1), "Start Latitude");
    EXPECT_EQ(g.cell(104, 1), "End UTC");
    EXPECT_EQ(g.cell(104, 2), "121000");
    EXPECT_EQ(g.cell(105, 1), "Start Latitude");
    EXPECT_EQ(g.cell(121, 2), "3.2");
}

}  // namespace
}  // namespace mca

namespace mca {
namespace {

TEST_F(SpectrumFileTest, AnOfflineLoadSavedAgainKeepsTheInputText) {
    fill(256);
    const auto path = save();
    w.state.offline = true;
    DetectorRecord loaded;
    EnergyCalibration cal;
    SpectrumLoadTarget target{w, 1, loaded, 0, {}, cal, hooks, {}};
    ASSERT_TRUE(LoadSpectrumFile(target, path));
    EXPECT_EQ(loaded[field::kInput], "Input 1, Positive Polarity");   // the file's text, as loaded
    SpectrumFileSources again{w, 1, loaded, nullptr, cal, {}, {}, {}, {}};
    EXPECT_EQ(buildSpectrumGrid(again).cell(usf::kInput, 2), "Input 1, Positive Polarity");
    w.state.plainFileHeader = true;
    EXPECT_EQ(buildSpectrumGrid(again).cell(usf::kInput, 2), "1");
}

}  // namespace
}  // namespace mca
