// Background gain stabilization: the decision table on the two windows, the tick rhythm, MCA 2 in
// the two-instrument layout, Clear, the setup window's values, and a run against the simulated
// instrument in which the engine's tick moves the fine gain.
#include "device/gain_stabilization.h"
#include "device/gain_stabilization_setup.h"

#include "calibration/detector_databases.h"
#include "device/acquisition_engine.h"
#include "device/protocol.h"
#include "sim/simulated_port.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

// Takes every position at once, as the hardware panel would, and keeps the calls.
struct RecordingControl : FineGainControl {
    struct Call {
        int instrument;
        int position;
        int panel;   // the hardware panel's choice when the call came
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    int editingEnded = 0;
    bool setFineGain(Workstation& w, int n, int position) override {
        calls.push_back({n, position, w.state.view.hardwarePanelInstrument});
        w.session(n).settings.fineGain = position;
        return true;
    }
    void showPendingFineGain(Workstation&, int, int) override {}
    void endHardwareEditing(Workstation&) override { ++editingEnded; }
};

class GainStabilizationTest : public ::testing::Test {
protected:
    GainStabilizationTest() {
        w.state.hardwareTarget = kScreenDecides;
        open(1);
    }

    void open(int n) {
        t.ports.add(n);
        w.session(n).port = t.ports.open(n, 115200);
        w.session(n).open = true;
    }

    // Spreads `left` over the two end channels of the lower window and `right` over those of the
    // upper one, and puts counts on the target channel and just outside both windows, which no
    // window may take.
    void fillSums(int n, std::int32_t left, std::int32_t right) {
        auto& sums = w.session(n).spectrum.stabilizationSums;
        const int t0 = w.settings.gsTargetChannel;
        const int half = w.settings.gsPlusMinus;
        auto at = [&](int channel) -> std::int32_t& { return sums[static_cast<std::size_t>(channel)]; };
        at(t0 - half - 1) = left / 2;
        at(t0 - 1) = left - left / 2;
        at(t0 + 1) = right / 2;
        at(t0 + half + 1) = right - right / 2;
        at(t0) = 100000;
        at(t0 - half - 2) = 100000;
        at(t0 + half + 2) = 100000;
    }

    bool sumsEmpty(int n) const {
        const auto& sums = w.session(n).spectrum.stabilizationSums;
        return std::all_of(sums.begin(), sums.end(), [](std::int32_t c) { return c == 0; });
    }

    TestWorkstation t;
    Workstation& w = *t;
    RecordingControl control;
    GainStabilization stabilization{control};
};

struct StabilizationCase {
    const char* name;
    std::int32_t left;
    std::int32_t right;
    int position;            // MCA 1's fine gain before
    Strings log;
    int positionAfter;
    bool evaluated;          // counted, and the sums cleared
};

class StabilizationTable : public GainStabilizationTest, public ::testing::WithParamInterface<StabilizationCase> {};

TEST_P(StabilizationTable, TenthTickEvaluatesMca1) {
    const StabilizationCase& c = GetParam();
    w.session(1).settings.fineGain = c.position;
    fillSums(1, c.left, c.right);
    stabilization.evaluateStabilization(w, 10);
    EXPECT_EQ(stabilization.messages(), c.log);
    EXPECT_EQ(w.session(1).settings.fineGain, c.positionAfter);
    const bool stepped = c.positionAfter != c.position;
    EXPECT_EQ(control.calls.size(), stepped ? 1u : 0u);
    EXPECT_EQ(stabilization.adjustments(), stepped ? 1 : 0);
    EXPECT_EQ(stabilization.evaluations(), c.evaluated ? 1 : 0);
    EXPECT_EQ(sumsEmpty(1), c.evaluated);
}

INSTANTIATE_TEST_SUITE_P(
    GainStab, StabilizationTable,
    ::testing::Values(
        StabilizationCase{"Balanced", 2600, 2500, 127, {"SUMs1 2600\t2500", "-1.961", "FG1 Stays put"}, 127, true},
        StabilizationCase{"ImbalanceExactlyAllowed", 2548, 2652, 127, {"SUMs1 2548\t2652", "2.000", "FG1 Stays put"},
                          127, true},
        StabilizationCase{"PeakLow", 2800, 2400, 127, {"SUMs1 2800\t2400", "-7.692", "MCA1 Up, 0.500 to 0.504"}, 128,
                          true},
        StabilizationCase{"PeakHigh", 2400, 2800, 127, {"SUMs1 2400\t2800", "7.692", "MCA1 Down, 0.500 to 0.496"},
                          126, true},
        StabilizationCase{"PeakLowAtHighest", 2800, 2400, 255, {"SUMs1 2800\t2400", "-7.692", "FG1 at highest value"},
                          255, true},
        StabilizationCase{"PeakHighAtLowest", 2400, 2800, 0, {"SUMs1 2400\t2800", "7.692", "FG1 at lowest value"}, 0,
                          true},
        StabilizationCase{"SumExactlyTarget", 2500, 2500, 127, {"SUMs1 2500\t2500"}, 127, false},
        StabilizationCase{"TooFewCountsThoughLopsided", 4000, 900, 127, {"SUMs1 4000\t900"}, 127, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(GainStabilizationTest, OnlyEveryTenthTickEvaluates) {
    for (int tick : {1, 9, 11, 19}) {
        fillSums(1, 2800, 2400);
        stabilization.evaluateStabilization(w, tick);
    }
    EXPECT_TRUE(stabilization.messages().empty());
    stabilization.evaluateStabilization(w, 20);
    EXPECT_EQ(stabilization.evaluations(), 1);
}

TEST_F(GainStabilizationTest, SumsBelowTheTargetKeepGrowingUntilTheyAreEnough) {
    fillSums(1, 1300, 1200);
    stabilization.evaluateStabilization(w, 10);
    EXPECT_EQ(stabilization.evaluations(), 0);
    auto& sums = w.session(1).spectrum.stabilizationSums;
    const auto t0 = static_cast<std::size_t>(w.settings.gsTargetChannel);
    sums[t0 - 1] += 1500;
    sums[t0 + 1] += 1200;
    stabilization.evaluateStabilization(w, 20);
    EXPECT_EQ(stabilization.messages().back(), "MCA1 Up, 0.500 to 0.504");
}

TEST_F(GainStabilizationTest, WhileFineTuningNothingHappens) {
    w.state.fineTuneActive = true;
    fillSums(1, 2800, 2400);
    stabilization.evaluateStabilization(w, 10);
    EXPECT_TRUE(stabilization.messages().empty());
    EXPECT_FALSE(sumsEmpty(1));
}

TEST_F(GainStabilizationTest, TwoInstrumentLayoutEvaluatesMca2AndTheHardwarePanelFollowsTheView) {
    open(2);
    struct ViewCase {
        TwoInstrumentView view;
        int panelAfter;
        int editingEnded;
    };
    for (const ViewCase& v : {ViewCase{TwoInstrumentView::Mca1, 1, 0}, ViewCase{TwoInstrumentView::Mca2, 2, 0},
                              ViewCase{TwoInstrumentView::Combined, 2, 1}}) {
        control.calls.clear();
        control.editingEnded = 0;
        w.state.view.twoInstrumentView = v.view;
        w.state.view.hardwarePanelInstrument = 2;
        w.session(1).settings.fineGain = 127;
        w.session(2).settings.fineGain = 100;
        stabilization.spectrumCleared(w);
        fillSums(1, 2800, 2400);
        fillSums(2, 2400, 2800);
        stabilization.evaluateStabilization(w, 10);
        EXPECT_EQ(stabilization.messages(),
                  (Strings{"SUMs1 2800\t2400", "-7.692", "MCA1 Up, 0.500 to 0.504", "SUMs2 2400\t2800", "7.692",
                           "MCA2 Down, 0.395 to 0.391"}));
        EXPECT_EQ(control.calls, (std::vector<RecordingControl::Call>{{1, 128, 1}, {2, 99, 2}}));
        EXPECT_EQ(w.state.view.hardwarePanelInstrument, v.panelAfter);
        EXPECT_EQ(control.editingEnded, v.editingEnded);
        EXPECT_TRUE(sumsEmpty(2));
        EXPECT_EQ(stabilization.adjustments(), 2);
    }
    // Each instrument's range is its own, not mixed with the other's.
    EXPECT_EQ(stabilization.fineGainRange(1).lowest, 127);
    EXPECT_EQ(stabilization.fineGainRange(1).highest, 128);
    EXPECT_EQ(stabilization.fineGainRange(2).lowest, 99);
    EXPECT_EQ(stabilization.fineGainRange(2).highest, 100);
}

TEST_F(GainStabilizationTest, TheFourChartLayoutStabilizesOnlyMca1) {
    open(2);
    w.state.quadLayout = true;
    fillSums(1, 2600, 2500);
    fillSums(2, 2400, 2800);
    stabilization.evaluateStabilization(w, 10);
    EXPECT_EQ(stabilization.messages().back(), "FG1 Stays put");
    EXPECT_FALSE(sumsEmpty(2));
}

TEST_F(GainStabilizationTest, ClearTakesTheCurrentPositionAsLowestAndHighest) {
    w.session(1).settings.fineGain = 127;
    stabilization.spectrumCleared(w);
    for (const auto& [left, right] : {std::pair{2800, 2400}, {2800, 2400}, {2400, 2800}, {2400, 2800}, {2400, 2800}}) {
        fillSums(1, left, right);
        stabilization.evaluateStabilization(w, 10);
    }
    EXPECT_EQ(stabilization.fineGainRange(1).lowest, 126);
    EXPECT_EQ(stabilization.fineGainRange(1).highest, 129);
    EXPECT_DOUBLE_EQ(stabilization.highestRatio(), 130.0 / 256.0);
    EXPECT_EQ(stabilization.evaluations(), 5);

    stabilization.spectrumCleared(w);
    EXPECT_TRUE(stabilization.messages().empty());
    EXPECT_EQ(stabilization.evaluations(), 0);
    EXPECT_EQ(stabilization.adjustments(), 0);
    EXPECT_DOUBLE_EQ(stabilization.lowestRatio(), 127.0 / 256.0);
    EXPECT_DOUBLE_EQ(stabilization.highestRatio(), 127.0 / 256.0);
}

TEST(GainStabWindows, WindowsStopAtTheEndsOfTheSpectrum) {
    std::array<std::int32_t, kMaxChannels> sums{};
    sums.fill(1);
    struct Case {
        const char* name;
        int channels;
        int target;
        int plusMinus;
        std::int64_t left;
        std::int64_t right;
    };
    for (const Case& c : {Case{"Middle", 4096, 2554, 50, 51, 51}, Case{"NearZero", 4096, 10, 50, 10, 51},
                          Case{"NearTop", 1024, 1000, 50, 51, 23}, Case{"BeyondTheMode", 1024, 2554, 50, 0, 0},
                          Case{"NoWidth", 4096, 100, 0, 1, 1}, Case{"NegativeWidth", 4096, 100, -5, 0, 0}}) {
        const auto s = stabilizationWindowSums(sums, c.channels, c.target, c.plusMinus);
        EXPECT_EQ(s.left, c.left) << c.name;
        EXPECT_EQ(s.right, c.right) << c.name;
    }
    EXPECT_EQ(stabilizationStep({0, 0}, -1, 2), StabilizationStep::StaysPut);
}

TEST(GainStabSetup, ReadsAndStoresTheSettingsWithinTheirRanges) {
    Settings settings;
    GainStabilizationSetup setup = GainStabilizationSetup::fromSettings(settings);
    EXPECT_EQ(setup.targetChannel, 2554);
    EXPECT_EQ(setup.plusMinus, 50);
    EXPECT_EQ(setup.targetSum, 5000);
    EXPECT_EQ(setup.imbalance, 2);
    EXPECT_FALSE(setup.applied);

    setup = {662, 40, 8000, 3, true};
    setup.storeInto(settings);
    EXPECT_EQ(settings.gsTargetChannel, 662);
    EXPECT_EQ(settings.gsPlusMinus, 40);
    EXPECT_EQ(settings.gsTargetSum, 8000);
    EXPECT_EQ(settings.gsImbalance, 3);
    EXPECT_TRUE(settings.autoStab);

    GainStabilizationSetup{5000, -3, -1, 250, false}.storeInto(settings);
    EXPECT_EQ(settings.gsTargetChannel, 4095);
    EXPECT_EQ(settings.gsPlusMinus, 0);
    EXPECT_EQ(settings.gsTargetSum, 0);
    EXPECT_EQ(settings.gsImbalance, 100);
    EXPECT_FALSE(settings.autoStab);
}

// The program's hooks, as far as stabilization goes.
// The engine needs the hooks before the stabilization exists, which needs the engine's control.
struct StabilizingHooks : AcquisitionHooks {
    void stabilizeGain(Workstation& w, int tick) override { stabilization->evaluateStabilization(w, tick); }
    void spectrumCleared(Workstation& w) override { stabilization->spectrumCleared(w); }
    GainStabilization* stabilization = nullptr;
};

TEST(GainStabSimulated, ALowPeakRaisesTheFineGainAndTheAcquisitionGoesOn) {
    TestWorkstation t;
    sim::SimulatedPortProvider ports{t.clock};
    sim::InstrumentConfig config;
    config.ratePerSecond = 3000;
    config.seed = 5;
    ports.place(3, config);
    Workstation w{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app()};
    DetectorDatabases databases;
    StabilizingHooks hooks;
    AcquisitionEngine engine{w, hooks};
    DirectFineGainControl control{engine, databases};
    GainStabilization stabilization{control};
    hooks.stabilization = &stabilization;
    w.session(1).port = ports.open(3, 115200);
    w.session(1).open = true;
    sendHighVoltage(Link{*w.session(1).port, t.clock, false}, 800, w.session(1).hvFullScale);
    // Cs-137 at 800 V, coarse x15, fine 120 sits near channel 625, below the target 662.
    control.setFineGain(w, 1, 120);
    w.settings.gsTargetChannel = 662;
    w.settings.autoStab = true;
    engine.clearSpectrum();
    ASSERT_TRUE(engine.startAcquisition());
    t.clock.advance(10500);
    EXPECT_EQ(stabilization.adjustments(), 1);
    ASSERT_FALSE(stabilization.messages().empty());
    EXPECT_EQ(stabilization.messages().back(), "MCA1 Up, 0.473 to 0.477");
    EXPECT_EQ(ports.instrument(3)->state().fineGain, 121);
    EXPECT_EQ(SelectedRecord(databases, 1)[field::kFineGain], "121");
    EXPECT_TRUE(w.state.acquiring);
    EXPECT_GT(w.session(1).spectrum.sum(), 20000.0);
}

}  // namespace
}  // namespace mca
