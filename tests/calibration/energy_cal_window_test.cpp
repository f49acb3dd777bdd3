// The Energy Cal window: opening, the rows and their entries, sorting and its warnings, what is
// stored in the detector record, the order choice, cancelling, and the mirror file.
#include "calibration/energy_cal_window.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mca {
namespace {

using Calls = std::vector<std::string>;

class RecordingHost : public EnergyCalHost {
public:
    bool running = false;
    Calls calls;

    bool acquiring() const override { return running; }
    void stopAcquisition() override { running = false; calls.push_back("stop"); }
    void startAcquisition() override { running = true; calls.push_back("start"); }
    void saveDetectorDatabase() override { calls.push_back("save"); }
    void calibrationApplied() override { calls.push_back("applied"); }
    void refreshFitDisplay() override { calls.push_back("refresh"); }
};

using Points = std::vector<std::pair<std::string, std::string>>;   // (keV, channel) per row

const Points kCesiumAndBarium{{"32.89", "94"}, {"661.7", "1890"}};
const Points kThreePoints{{"32.89", "94"}, {"661.7", "1890"}, {"1460.8", "4000"}};

class EnergyCalWindowTest : public ::testing::Test {
protected:
    EnergyCalWindowTest() { tw->session(1).serialNumber = "200123"; }

    void storePoints(const Points& points) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            record[field::kFirstEnergy + static_cast<int>(i)] = points[i].first;
            record[field::kFirstChannel + static_cast<int>(i)] = points[i].second;
        }
    }
    void enter(const Points& points) {
        for (std::size_t i = 0; i < points.size(); ++i) {
            ASSERT_TRUE(window.setEnergy(static_cast<int>(i), points[i].first));
            ASSERT_TRUE(window.setChannel(static_cast<int>(i), points[i].second));
        }
    }
    Points shownRows() const {
        Points rows;
        for (const EnergyCalRow& row : window.rows()) rows.emplace_back(row.energy, row.channel);
        return rows;
    }
    Points storedPoints() const {
        Points points;
        for (int i = 0; i < kCalibrationPointCount; ++i) {
            points.emplace_back(record[field::kFirstEnergy + i], record[field::kFirstChannel + i]);
        }
        return points;
    }
    std::vector<std::string> messages() const { return tw.op.messages(); }

    testing::TestWorkstation tw;
    EnergyCalibration cal;
    DetectorRecord record;
    RecordingHost host;
    EnergyCalWindow window{*tw, cal, record, host};
};

// Fourteen rows: the given ones, the rest empty.
Points padded(Points points) {
    points.resize(kCalibrationPointCount);
    return points;
}

TEST_F(EnergyCalWindowTest, AnEmptyRecordOpensWithThePresetEnergies) {
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(shownRows(), padded({{"32.89", ""}, {"661.7", ""}}));
    EXPECT_EQ(window.selectedRow(), 0);
    EXPECT_FALSE(window.calibrateEnabled());
    EXPECT_EQ(window.cancelCaption(), "&Cancel");
    EXPECT_FALSE(window.quadraticChosen());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(EnergyCalWindowTest, OpeningIsRefusedWhileTheResolutionWindowIsOpen) {
    host.running = true;
    EXPECT_FALSE(window.open({.resolutionWindowOpen = true}));
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(messages(), std::vector<std::string>{kEnergyCalRefusedMessage});
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(EnergyCalWindowTest, StoredPointsWithTwoChannelsCalibrateAtOnceAroundAPausedAcquisition) {
    storePoints(kCesiumAndBarium);
    host.running = true;
    ASSERT_TRUE(window.open());
    EXPECT_EQ(host.calls, (Calls{"stop", "save", "refresh", "applied", "start"}));
    EXPECT_EQ(shownRows(), padded(kCesiumAndBarium));
    EXPECT_TRUE(cal.linearValid);
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::Linear);
    EXPECT_EQ(record[field::kCalibrationOrder], "1");
    EXPECT_FALSE(window.calibrateEnabled());
    EXPECT_EQ(window.cancelCaption(), "&Close");
}

TEST_F(EnergyCalWindowTest, StoredPointsWithoutASecondChannelWaitForTheOperator) {
    storePoints({{"32.89", "94"}, {"661.7", ""}});
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_FALSE(cal.linearValid);
    EXPECT_EQ(shownRows(), padded({{"32.89", "94"}, {"661.7", ""}}));
}

TEST_F(EnergyCalWindowTest, OfflineTheDetectorDatabaseIsNotSaved) {
    tw->state.offline = true;
    storePoints(kCesiumAndBarium);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(host.calls, (Calls{"refresh", "applied"}));
    EXPECT_TRUE(cal.linearValid);
}

TEST_F(EnergyCalWindowTest, UnreadableStoredPointsAreReportedAndNotCalibrated) {
    storePoints({{"32.89", "94"}, {"661.7", "18x0"}, {"1460.8", "4000"}});
    ASSERT_TRUE(window.open());
    EXPECT_EQ(messages(), std::vector<std::string>{kEnergyCalLoadErrorMessage});
    EXPECT_EQ(shownRows(), padded({{"32.89", "94"}, {"661.7", ""}, {"1460.8", "4000"}}));
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(record[field::kFirstChannel + 1], "18x0");
}

struct SortCase {
    std::string name;
    Points entered;
    Points sorted;
    std::vector<std::string> warnings;
};

class EnergyCalSorting : public EnergyCalWindowTest, public ::testing::WithParamInterface<SortCase> {};

TEST_P(EnergyCalSorting, SortsByEnergyAndWarnsOncePerBadPair) {
    ASSERT_TRUE(window.open());
    for (int i = 0; i < kCalibrationPointCount; ++i) {
        window.setEnergy(i, "");
        window.setChannel(i, "");
    }
    enter(GetParam().entered);
    window.calibrate();
    EXPECT_EQ(shownRows(), padded(GetParam().sorted));
    EXPECT_EQ(messages(), GetParam().warnings);
}

const std::string kOutOfOrder = kEnergyPointsNotSequentialMessage;

INSTANTIATE_TEST_SUITE_P(
    EnergyCalWindow, EnergyCalSorting,
    ::testing::Values(
        SortCase{"InOrder", kThreePoints, kThreePoints, {}},
        SortCase{"EnteredBackwards", {{"1460.8", "4000"}, {"661.7", "1890"}, {"32.89", "94"}}, kThreePoints, {}},
        SortCase{"GapsClosed", {{"661.7", "1890"}, {"", ""}, {"", ""}, {"1460.8", "4000"}, {"", ""}, {"32.89", "94"}},
                 kThreePoints, {}},
        SortCase{"OneChannelOutOfPlace", {{"32.89", "600"}, {"661.7", "100"}, {"1460.8", "4000"}},
                 {{"32.89", "600"}, {"661.7", "100"}, {"1460.8", "4000"}}, {kOutOfOrder}},
        SortCase{"TwoBadPairs", {{"400", "200"}, {"300", "400"}, {"200", "300"}, {"100", "500"}},
                 {{"100", "500"}, {"200", "300"}, {"300", "400"}, {"400", "200"}}, {kOutOfOrder, kOutOfOrder}},
        SortCase{"EqualEnergies", {{"661.7", "1890"}, {"661.7", "1900"}}, {{"661.7", "1890"}, {"661.7", "1900"}},
                 {kOutOfOrder}},
        SortCase{"ZeroEnergyDropped", {{"32.89", "94"}, {"661.7", "1890"}, {"0", "2500"}}, kCesiumAndBarium, {}},
        // One energy: the warning, and the calibration goes on with the empty row kept first.
        SortCase{"OnePoint", {{"661.7", "1890"}}, {{"", ""}, {"661.7", "1890"}},
                 {kTooFewEnergyPointsMessage}}),
    [](const ::testing::TestParamInfo<SortCase>& param) { return param.param.name; });

TEST_F(EnergyCalWindowTest, NoOrderWarningsDuringStartUp) {
    const Points outOfOrder{{"32.89", "1890"}, {"661.7", "94"}};
    storePoints(outOfOrder);
    ASSERT_TRUE(window.open({.startingUp = true}));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(storedPoints(), padded(outOfOrder));

    EnergyCalWindow later(*tw, cal, record, host);
    ASSERT_TRUE(later.open());
    EXPECT_EQ(messages(), std::vector<std::string>{kEnergyPointsNotSequentialMessage});
}

TEST_F(EnergyCalWindowTest, CalibrateStoresTheRowsAndTheQuadraticOrder) {
    ASSERT_TRUE(window.open());
    enter({{"1460.8", "4000"}, {"32.89", "94"}, {"661.7", "1890"}});
    EXPECT_TRUE(window.calibrateEnabled());
    window.useQuadratic();
    host.running = true;
    host.calls.clear();
    window.calibrate();

    EXPECT_EQ(storedPoints(), padded(kThreePoints));
    EXPECT_EQ(record[field::kCalibrationOrder], "2");
    EXPECT_EQ(host.calls, (Calls{"stop", "save", "start", "refresh", "applied"}));
    EXPECT_TRUE(isQuadraticActive(cal));
    EXPECT_EQ(cal.pointCount, 3);
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::Quadratic);
    EXPECT_FALSE(window.calibrateEnabled());
    EXPECT_EQ(window.cancelCaption(), "&Close");
}

TEST_F(EnergyCalWindowTest, TheOrderChoiceTakesEffectAtOnce) {
    storePoints(kThreePoints);
    record[field::kCalibrationOrder] = "2";
    ASSERT_TRUE(window.open({.order = OrderPreset::FromRecord}));
    EXPECT_TRUE(window.quadraticChosen());
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::Quadratic);

    host.calls.clear();
    window.useLinearFit();
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::Linear);
    EXPECT_FALSE(isQuadraticActive(cal));
    EXPECT_EQ(host.calls, Calls{"refresh"});
    EXPECT_EQ(record[field::kCalibrationOrder], "2");   // stored by the next calibration only

    window.useQuadratic();
    EXPECT_TRUE(isQuadraticActive(cal));
}

TEST_F(EnergyCalWindowTest, TheMenuPresetsTheOrderFromTheCalibrationInForce) {
    storePoints(kThreePoints);
    record[field::kCalibrationOrder] = "2";
    RecomputeEnergyCalibration(cal, record);
    record[field::kCalibrationOrder] = "1";
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.quadraticChosen());
    EXPECT_EQ(record[field::kCalibrationOrder], "2");
}

TEST_F(EnergyCalWindowTest, EntriesSelectTheirRowAndKeepTheirRanges) {
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.setChannel(3, "512"));
    EXPECT_EQ(window.selectedRow(), 3);
    EXPECT_TRUE(window.calibrateEnabled());
    EXPECT_TRUE(window.setEnergy(5, "1460.80"));
    EXPECT_EQ(window.selectedRow(), 5);
    EXPECT_EQ(window.rows()[5].energy, "1460.8");

    EXPECT_TRUE(window.setChannel(3, "0"));
    EXPECT_EQ(window.rows()[3].channel, "");
    for (const char* bad : {"4097", "-1", "12.5", "x"}) {
        EXPECT_FALSE(window.setChannel(4, bad)) << bad;
    }
    for (const char* bad : {"10000.5", "-3", "keV"}) {
        EXPECT_FALSE(window.setEnergy(4, bad)) << bad;
    }
    EXPECT_EQ(window.rows()[4].channel, "");
    EXPECT_EQ(window.rows()[4].energy, "");
    EXPECT_EQ(window.selectedRow(), 3);
}

TEST_F(EnergyCalWindowTest, TheMarkerStandsAtTheSelectedRow) {
    EXPECT_EQ(window.markerPosition(MarkerAxis::Channels), std::nullopt);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(window.markerPosition(MarkerAxis::Channels), std::nullopt);   // no channel yet
    window.setChannel(1, "1890");
    EXPECT_EQ(window.markerPosition(MarkerAxis::Channels), 1890);
    EXPECT_EQ(window.markerPosition(MarkerAxis::KeV), 661.7);
    EXPECT_DOUBLE_EQ(*window.markerPosition(MarkerAxis::MeV), 0.6617);
    window.selectRow(0);
    EXPECT_EQ(window.markerPosition(MarkerAxis::Channels), std::nullopt);
    window.selectRow(1);
    window.cancel();
    EXPECT_EQ(window.markerPosition(MarkerAxis::Channels), std::nullopt);
}

TEST_F(EnergyCalWindowTest, ADoubleClickSetsTheSelectedRowsChannelRounded) {
    window.spectrumDoubleClicked(100);   // closed: not ours
    ASSERT_TRUE(window.open());
    window.selectRow(2);
    window.spectrumDoubleClicked(512.5);
    EXPECT_EQ(window.rows()[2].channel, "512");
    window.spectrumDoubleClicked(513.5);
    EXPECT_EQ(window.rows()[2].channel, "514");
    window.spectrumDoubleClicked(-3);
    window.spectrumDoubleClicked(5000);
    EXPECT_EQ(window.rows()[2].channel, "514");
    EXPECT_EQ(window.rows()[0].channel, "");
    EXPECT_TRUE(window.calibrateEnabled());
}

struct StepCase {
    std::string name;
    std::string channel;
    bool up;
    bool moved;
    std::string after;
};

class EnergyCalChannelButtons : public EnergyCalWindowTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(EnergyCalChannelButtons, StepWithinTheirLimits) {
    ASSERT_TRUE(window.open());
    ASSERT_TRUE(window.setChannel(6, GetParam().channel));
    const bool moved = GetParam().up ? window.channelUp(6) : window.channelDown(6);
    EXPECT_EQ(moved, GetParam().moved);
    EXPECT_EQ(window.rows()[6].channel, GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(EnergyCalWindow, EnergyCalChannelButtons,
                         ::testing::Values(StepCase{"UpFromEmpty", "", true, true, "1"},
                                           StepCase{"UpTo4095", "4094", true, true, "4095"},
                                           StepCase{"UpStopsAt4095", "4095", true, false, "4095"},
                                           StepCase{"UpStopsAbove4095", "4096", true, false, "4096"},
                                           StepCase{"DownTo1", "2", false, true, "1"},
                                           StepCase{"DownStopsAt1", "1", false, false, "1"},
                                           StepCase{"DownStopsWhenEmpty", "", false, false, ""}),
                         [](const ::testing::TestParamInfo<StepCase>& param) { return param.param.name; });

TEST_F(EnergyCalWindowTest, TheFrameAsksAndYesRestoresThePointsOfTheOpening) {
    storePoints(kCesiumAndBarium);
    ASSERT_TRUE(window.open());
    const EnergyCalibration before = cal;
    window.setChannel(1, "1700");
    window.setEnergy(2, "1460.8");
    window.setChannel(2, "4000");
    window.calibrate();
    ASSERT_EQ(storedPoints(), padded({{"32.89", "94"}, {"661.7", "1700"}, {"1460.8", "4000"}}));

    tw.op.answers = {Answer::No};
    EXPECT_FALSE(window.closeByFrame());
    EXPECT_TRUE(window.isOpen());
    EXPECT_EQ(record[field::kFirstChannel + 1], "1700");

    tw.op.answers = {Answer::Yes};
    host.calls.clear();
    EXPECT_TRUE(window.closeByFrame());
    EXPECT_FALSE(window.isOpen());
    EXPECT_EQ(tw.op.questions(), std::vector<std::string>(2, kEnergyCalCloseQuestion));
    EXPECT_EQ(storedPoints(), padded(kCesiumAndBarium));
    EXPECT_EQ(cal.pointCount, 2);
    EXPECT_EQ(cal.k, before.k);
    EXPECT_EQ(cal.d, before.d);
    EXPECT_EQ(host.calls, (Calls{"refresh", "applied"}));
}

TEST_F(EnergyCalWindowTest, CancelClosesKeepingTheCalibration) {
    ASSERT_TRUE(window.open());
    enter(kCesiumAndBarium);
    window.calibrate();
    window.cancel();
    EXPECT_FALSE(window.isOpen());
    EXPECT_TRUE(tw.op.questions().empty());
    EXPECT_EQ(storedPoints(), padded(kCesiumAndBarium));
    EXPECT_TRUE(cal.linearValid);
}

TEST_F(EnergyCalWindowTest, ReleaseMirrorsTheRowsBesideTheProgram) {
    ASSERT_TRUE(window.open());
    enter({{"32.89", "94"}, {"661.7", "1890"}});
    window.setEnergy(2, "1460.8");
    window.release();
    EXPECT_FALSE(window.isOpen());

    const std::filesystem::path mirror = tw.app() / "mca200123.ini";
    EXPECT_EQ(energyCalMirrorPath(*tw), mirror);
    std::string expected = "[CurrentEnergyCal]\r\nEnergy1=32.89\r\nEnergy2=661.7\r\nEnergy3=1460.8\r\n";
    for (int i = 4; i <= 14; ++i) expected += "Energy" + std::to_string(i) + "=0\r\n";
    expected += "Channel1=94\r\nChannel2=1890\r\n";
    for (int i = 3; i <= 14; ++i) expected += "Channel" + std::to_string(i) + "=0\r\n";
    EXPECT_EQ(readFileBytes(mirror), expected);
}

TEST_F(EnergyCalWindowTest, AWindowNeverShownLeavesNoMirror) {
    window.open({.resolutionWindowOpen = true});
    window.release();
    EXPECT_FALSE(std::filesystem::exists(energyCalMirrorPath(*tw)));
}

TEST_F(EnergyCalWindowTest, ANewDetectorIsCalibratedInItsOwnOrderAndNothingOfTheOldSurvives) {
    storePoints(kThreePoints);
    record[field::kCalibrationOrder] = "2";
    loadDetectorEnergyCalibration(*tw, cal, record, host, true);
    EXPECT_TRUE(isQuadraticActive(cal));
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::Quadratic);
    EXPECT_EQ(record[field::kCalibrationOrder], "2");
    EXPECT_TRUE(std::filesystem::exists(energyCalMirrorPath(*tw)));

    DetectorRecord blank;
    loadDetectorEnergyCalibration(*tw, cal, blank, host, false);
    EXPECT_EQ(cal.pointCount, 0);
    EXPECT_EQ(ChannelToKeV(cal, 100), kNoEnergyKeV);
    EXPECT_EQ(tw->state.energyCalibration, EnergyCalibrationKind::None);
    EXPECT_EQ(blank, DetectorRecord{});
}

}  // namespace
}  // namespace mca
