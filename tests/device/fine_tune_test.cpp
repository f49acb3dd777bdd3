// The fine-tune tool: the peak search and end rule on their own, then whole runs against the
// simulated instrument in virtual time: three steps up, the refusals at 0 and 255, cancel, and
// what is refused before anything is cleared.
#include "device/fine_tune.h"

#include "calibration/detector_databases.h"
#include "device/acquisition_engine.h"
#include "device/protocol.h"
#include "sim/simulated_port.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

// ---- peak search and end rule

struct PeakCase {
    const char* name;
    int channels;
    int expected;
    std::vector<std::pair<int, double>> counts;   // channel, counts; the rest are 0
    int peak;
    double smoothed;
};

class FineTunePeakTable : public ::testing::TestWithParam<PeakCase> {};

TEST_P(FineTunePeakTable, FindsTheSmoothedMaximum) {
    const PeakCase& c = GetParam();
    std::array<double, kMaxChannels> counts{};
    for (const auto& [channel, n] : c.counts) counts[static_cast<std::size_t>(channel)] = n;
    const FineTunePeak p = findFineTunePeak(counts, c.channels, c.expected);
    EXPECT_EQ(p.channel, c.peak);
    EXPECT_DOUBLE_EQ(p.smoothed, c.smoothed);
}

INSTANTIATE_TEST_SUITE_P(
    FineTune, FineTunePeakTable,
    ::testing::Values(
        // s[j] is the mean of nine channels: 600 alone gives 100 over 596..604, 601 adds 9 more on 597..605.
        PeakCase{"SmoothedOverNineChannels", 4096, 662, {{600, 900}, {601, 81}}, 597, 109},
        PeakCase{"EqualMaximaGiveTheLowestChannel", 4096, 662, {{700, 900}}, 696, 100},
        PeakCase{"OnlyWithinAnEighthOfTheChannels", 4096, 662, {{662 + 512 + 10, 9000}, {700, 90}}, 696, 10},
        PeakCase{"WindowStopsFourChannelsAboveZero", 4096, 10, {{0, 900}}, 4, 100},
        PeakCase{"WindowStopsFourChannelsBelowTheTop", 256, 250, {{255, 900}}, 251, 100},
        PeakCase{"NothingCountedGivesTheWindowStart", 1024, 500, {}, 500 - 128, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FineTuneRule, TheOffsetReachesOrCrossesZero) {
    struct Case {
        const char* name;
        double previous;
        double current;
        bool ends;
    };
    for (const Case& c : {Case{"FirstStepExactlyZero", 0, 0, true}, Case{"FirstStepLow", -3.3, -3.3, false},
                          Case{"FirstStepHigh", 2.7, 2.7, false}, Case{"CrossedUpwards", -4.2, 1.8, true},
                          Case{"CrossedDownwards", 3.2, -0.8, true}, Case{"ReachedFromBelow", -4, 0, true},
                          Case{"ReachedFromAbove", 4, 0, true}, Case{"StillLow", -9.1, -3.9, false},
                          Case{"StillHigh", 8.5, 2.5, false}}) {
        EXPECT_EQ(fineTuneOffsetReachedZero(c.previous, c.current), c.ends) << c.name;
    }
}

TEST(FineTuneRule, LinesAreListedWithFourSignificantDigits) {
    EXPECT_EQ(fineTuneLineText(661.657), "661.7");
    EXPECT_EQ(fineTuneLineText(1460.82), "1461");
    EXPECT_EQ(fineTuneLineText(59.5409), "59.54");
}

// ---- whole runs against the simulated instrument

struct RecordingControl : FineGainControl {
    explicit RecordingControl(FineGainControl& direct) : m_direct(direct) {}
    bool setFineGain(Workstation& w, int n, int position) override {
        sent.push_back(position);
        return m_direct.setFineGain(w, n, position);
    }
    void showPendingFineGain(Workstation& w, int n, int position) override {
        pending = position;
        m_direct.showPendingFineGain(w, n, position);
    }
    std::vector<int> sent;
    std::optional<int> pending;

private:
    FineGainControl& m_direct;
};

struct RecordingToolHooks : FineTuneHooks {
    void showHardwarePanel(Workstation&) override { calls.push_back("hardware panel"); }
    void setMainWindowEnabled(Workstation&, bool enabled) override {
        calls.push_back(enabled ? "main window on" : "main window off");
    }
    void saveSpectrumAs(Workstation&) override { calls.push_back("save as"); }
    void showFullSpectrum(Workstation&) override { calls.push_back("full spectrum"); }
    void closeWindow(Workstation&) override { calls.push_back("closed"); }
    Strings calls;
};

// Notes, on every tick, whether the tool was marked active.
struct WatchingHooks : AcquisitionHooks {
    void redrawCharts(Workstation& w) override { ticksOutsideTool += w.state.fineTuneActive ? 0 : 1; }
    int ticksOutsideTool = 0;
};

struct Placement {
    std::uint64_t seed = 10;
    double hvVolts = 800;
    int fineGain = 124;
};

class FineTuneSimulated : public ::testing::Test {
protected:
    FineTuneSimulated() {
        // keV = ch + 2.7: Cs-137's 661.7 keV line belongs at channel 659.0. At 800 V, coarse x15 the
        // instrument puts 661.66 keV at E x (fine + 1) / 128 channels: 646 at fine 124, about 5.2
        // channels lower per step, so positions 125, 126 and 127 bring the peak to 651, 656.5 and
        // 661.7, the last one past 659.
        calibration.pointCount = 2;
        calibration.k = 1.0;
        calibration.d = 2.7;
        calibration.linearValid = true;
        calibration.linearQuality = 1.0;
        w.state.hardwareTarget = kScreenDecides;
        w.state.presetRealTime = 300;
        w.state.presetRealTimeOn = false;
        w.state.presetCounts = 5000;
        w.state.presetCountsOn = true;
    }

    void place(const Placement& p) {
        sim::InstrumentConfig config;
        config.ratePerSecond = 3000;
        config.seed = p.seed;
        ports.place(3, config);
        w.session(1).port = ports.open(3, 115200);
        w.session(1).open = true;
        w.session(1).comNumber = 3;
        sendHighVoltage(Link{*w.session(1).port, t.clock, false}, p.hvVolts, w.session(1).hvFullScale);
        direct.setFineGain(w, 1, p.fineGain);
    }

    int instrumentFineGain() { return ports.instrument(3)->state().fineGain; }

    void expectPresetsRestored() const {
        EXPECT_EQ(w.state.presetRealTime, 300);
        EXPECT_FALSE(w.state.presetRealTimeOn);
        EXPECT_EQ(w.state.presetCounts, 5000);
        EXPECT_TRUE(w.state.presetCountsOn);
    }

    TestWorkstation t;
    sim::SimulatedPortProvider ports{t.clock};
    Workstation w{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app()};
    WatchingHooks engineHooks;
    AcquisitionEngine engine{w, engineHooks};
    DetectorDatabases databases;
    DirectFineGainControl direct{engine, databases};
    RecordingControl control{direct};
    RecordingToolHooks toolHooks;
    EnergyCalibration calibration;
    FineTune tool{w, engine, control, toolHooks, calibration};
};

struct ThreeStepCase {
    const char* name;
    std::uint64_t seed;
    std::optional<int> pending;   // the position offered back when the last step overshot most
};

class FineTuneThreeSteps : public FineTuneSimulated, public ::testing::WithParamInterface<ThreeStepCase> {};

TEST_P(FineTuneThreeSteps, RaisesTheFineGainUntilThePeakCrossesItsChannel) {
    const ThreeStepCase& c = GetParam();
    place({c.seed, 800, 124});
    ASSERT_TRUE(tool.open());
    EXPECT_TRUE(w.state.fineTuneActive);
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Completed);

    EXPECT_EQ(control.sent, (std::vector<int>{125, 126, 127}));
    EXPECT_EQ(instrumentFineGain(), 127);
    EXPECT_EQ(SelectedRecord(databases, 1)[field::kFineGain], "127");
    EXPECT_EQ(control.pending, c.pending);
    EXPECT_EQ(direct.pendingFineGain(1), c.pending);
    EXPECT_EQ(tool.progress().step, 3);
    EXPECT_GT(*tool.progress().offset, 0.0);
    EXPECT_LT(*tool.progress().previousOffset, 0.0);

    EXPECT_EQ(t.op.messages(), (Strings{"Make sure the Cs-137 source is on the detector.", kFineTuneCompleted}));
    // The acquisitions ended by their preset without a ring; only the completion beeps.
    EXPECT_EQ(t.op.beeps(), 1);
    EXPECT_EQ(engineHooks.ticksOutsideTool, 0);
    EXPECT_FALSE(tool.isOpen());
    EXPECT_FALSE(w.state.fineTuneActive);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_EQ(tool.label(), kFineTuneExiting);
    expectPresetsRestored();
    EXPECT_EQ(toolHooks.calls,
              (Strings{"hardware panel", "main window off", "full spectrum", "main window on", "closed"}));
}

INSTANTIATE_TEST_SUITE_P(FineTune, FineTuneThreeSteps,
                         ::testing::Values(ThreeStepCase{"LastStepCloserThanTheOneBefore", 10, std::nullopt},
                                           ThreeStepCase{"LastStepOvershootsMore", 5, 126}),
                         [](const auto& row) { return std::string(row.param.name); });

struct RefusalCase {
    const char* name;
    double hvVolts;
    int fineGain;
    const char* message;
};

class FineTuneRefusal : public FineTuneSimulated, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(FineTuneRefusal, AtTheEndOfTheRangeNothingMoreIsSent) {
    // 700 V at fine 255 puts the line near channel 594, below 659; 1900 V at fine 0 near 927, above.
    const RefusalCase& c = GetParam();
    place({10, c.hvVolts, c.fineGain});
    ASSERT_TRUE(tool.open());
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Refused);
    EXPECT_TRUE(control.sent.empty());
    EXPECT_EQ(instrumentFineGain(), c.fineGain);
    EXPECT_EQ(t.op.messages().back(), c.message);
    // The tool stays for the operator to change the gain by hand, or to leave.
    EXPECT_TRUE(tool.isOpen());
    EXPECT_TRUE(w.state.fineTuneActive);
    EXPECT_TRUE(tool.fineTuneButtonEnabled());
    EXPECT_TRUE(tool.label().empty());

    tool.cancel();
    EXPECT_FALSE(tool.isOpen());
    EXPECT_FALSE(w.state.fineTuneActive);
    EXPECT_EQ(instrumentFineGain(), c.fineGain);
    expectPresetsRestored();
}

INSTANTIATE_TEST_SUITE_P(FineTune, FineTuneRefusal,
                         ::testing::Values(RefusalCase{"PeakLowAtHighest", 700, 255, kFineGainAtHighest},
                                           RefusalCase{"PeakHighAtLowest", 1900, 0, kFineGainAtLowest}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(FineTuneSimulated, CancelEndsTheRunAndPutsTheOpeningPositionBack) {
    place({10, 800, 124});
    ASSERT_TRUE(tool.open());
    // During the second step's acquisition, once position 125 has been sent.
    TimerId press = 0;
    press = t.clock.startTimer(15000, [&] {
        t.clock.stopTimer(press);
        tool.cancel();
    });
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Cancelled);
    EXPECT_EQ(control.sent, (std::vector<int>{125, 124}));
    EXPECT_EQ(instrumentFineGain(), 124);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_FALSE(ports.instrument(3)->state().acquiring);
    EXPECT_FALSE(tool.isOpen());
    EXPECT_FALSE(w.state.fineTuneActive);
    EXPECT_EQ(tool.label(), kFineTuneExiting);
    EXPECT_EQ(t.op.messages(), Strings{"Make sure the Cs-137 source is on the detector."});
    expectPresetsRestored();
    // Nothing runs on after the tool has gone.
    const auto sentBefore = control.sent.size();
    t.clock.advance(60000);
    EXPECT_EQ(control.sent.size(), sentBefore);
}

TEST_F(FineTuneSimulated, ClosingDuringARunCancels) {
    place({10, 800, 124});
    ASSERT_TRUE(tool.open());
    TimerId press = 0;
    press = t.clock.startTimer(3000, [&] {
        t.clock.stopTimer(press);
        tool.close();
    });
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Cancelled);
    EXPECT_EQ(control.sent, std::vector<int>{124});
    EXPECT_FALSE(w.state.fineTuneActive);
}

TEST_F(FineTuneSimulated, AnInstrumentThatGoesAwayStopsTheRunWithoutWalkingTheGain) {
    place({10, 800, 124});
    ASSERT_TRUE(tool.open());
    TimerId unplug = 0;
    unplug = t.clock.startTimer(5000, [&] {
        t.clock.stopTimer(unplug);
        ports.vanish(3);
    });
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Interrupted);
    EXPECT_TRUE(control.sent.empty());
    EXPECT_TRUE(tool.isOpen());
    EXPECT_TRUE(tool.fineTuneButtonEnabled());
    tool.close();
    expectPresetsRestored();
}

TEST_F(FineTuneSimulated, WithoutALineNothingIsCleared) {
    place({10, 800, 124});
    ASSERT_TRUE(tool.open());
    w.session(1).spectrum.counts[100] = 5;
    for (const auto& [nuclide, line] : {std::pair{"", "661.7"}, {"Cs-137", ""}, {"Cs-137", "keV"}}) {
        tool.nuclide = nuclide;
        tool.lineEnergy = line;
        EXPECT_EQ(tool.fineTune(), FineTuneOutcome::NotStarted) << nuclide << "/" << line;
    }
    EXPECT_EQ(t.op.messages(), (Strings(3, kFineTuneNeedsLine)));
    EXPECT_EQ(w.session(1).spectrum.counts[100], 5);
    EXPECT_EQ(w.state.presetCounts, 5000);
    EXPECT_TRUE(tool.isOpen());
}

TEST_F(FineTuneSimulated, AnUnsavedSpectrumIsOfferedForSavingFirst) {
    place({10, 700, 255});
    for (const Answer answer : {Answer::Yes, Answer::No}) {
        toolHooks.calls.clear();
        w.state.spectrumUnsaved = true;
        t.op.answers = {answer};
        ASSERT_TRUE(tool.open());
        tool.fineTune();
        EXPECT_EQ(t.op.questions().back(), kFineTuneUnsavedQuestion);
        const bool saved = std::count(toolHooks.calls.begin(), toolHooks.calls.end(), "save as") == 1;
        EXPECT_EQ(saved, answer == Answer::Yes);
        tool.cancel();
    }
}

TEST_F(FineTuneSimulated, ASecondRunAfterARefusalKeepsTheOperatorsPresets) {
    place({10, 700, 255});
    ASSERT_TRUE(tool.open());
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Refused);
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::Refused);
    tool.close();
    expectPresetsRestored();
}

TEST_F(FineTuneSimulated, OpensOnlyOnlineWithAnEnergyCalibration) {
    place({10, 800, 124});
    w.state.offline = true;
    EXPECT_FALSE(tool.open());
    w.state.offline = false;
    calibration.linearValid = false;
    calibration.linearQuality = 0.0;
    EXPECT_FALSE(tool.open());
    EXPECT_FALSE(w.state.fineTuneActive);
    EXPECT_EQ(tool.fineTune(), FineTuneOutcome::NotStarted);
}

}  // namespace
}  // namespace mca
