// The acquisition engine in virtual time: Start and its refusal, the tick, presets, late ticks,
// Clear in the four-chart layout, the end-of-acquisition sound and a link that dies.
#include "device/acquisition_engine.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::TestWorkstation;
using Strings = std::vector<std::string>;

struct RecordingHooks : AcquisitionHooks {
    Strings calls;
    std::function<void()> onRedraw;
    void redrawCharts(Workstation&) override {
        calls.push_back("redraw");
        if (onRedraw) onRedraw();
    }
    void spectrumCleared(Workstation&) override { calls.push_back("cleared"); }
    void saveSpectrum(Workstation&, const std::filesystem::path& file) override {
        calls.push_back("save " + file.filename().string());
    }
    void showDoneWindow(Workstation&) override { calls.push_back("done"); }
    void pollNetworkInstrument(Workstation& w) override {
        calls.push_back("poll@" + std::to_string(static_cast<int>(w.state.realTime)));
    }
    void saveNetworkSpectrum(Workstation&) override { calls.push_back("saveNetwork"); }
    void stabilizeGain(Workstation&, int tick) override { calls.push_back("stabilize " + std::to_string(tick)); }
    int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }
};

// Three-byte records: count n at channel c, repeated.
std::string records(int n, int channel, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) {
        s += '\xFF';
        s += static_cast<char>((n << 4) | (channel >> 8));
        s += static_cast<char>(channel & 0xFF);
    }
    return s;
}

class EngineTest : public ::testing::Test {
protected:
    EngineTest() {
        w.state.edition = *editionFromTitle("TREL MCA");
        w.state.hardwareTarget = kScreenDecides;
        open(1);
    }

    std::shared_ptr<testing::PortRecord> open(int n) {
        auto record = t.ports.add(n);
        w.session(n).port = t.ports.open(n, 115200);
        w.session(n).open = true;
        w.session(n).comNumber = n;
        port[n] = record;
        return record;
    }

    void runSeconds(int seconds) { t.clock.advance(seconds * 1000LL); }

    TestWorkstation t;
    Workstation& w = *t;
    RecordingHooks hooks;
    AcquisitionEngine engine{w, hooks};
    std::map<int, std::shared_ptr<testing::PortRecord>> port;
};

TEST_F(EngineTest, StartSendsGoToEveryOpenInstrumentAndArmsTheTick) {
    open(3);
    w.state.quadLayout = true;
    w.state.view.chooser = InstrumentChooser::Mca3;
    ASSERT_TRUE(engine.startAcquisition());
    EXPECT_EQ(port[1]->written, "G");
    EXPECT_EQ(port[3]->written, "G");
    EXPECT_EQ(t.clock.pauses(), (std::vector<int>{150, 15}));
    EXPECT_TRUE(w.state.acquiring);
    EXPECT_EQ(w.screen.indicator, "Acquiring");
    EXPECT_EQ(w.state.startDateText, "2026-12-11 09:30:00");
    EXPECT_TRUE(w.state.spectrumUnsaved);
    EXPECT_FALSE(w.screen.deadTimeMenuEnabled);
    EXPECT_FALSE(engine.startAcquisition());   // already running: nothing more
    EXPECT_EQ(port[1]->written, "G");
}

TEST_F(EngineTest, TickAccumulatesCountsRatesAndDeadTime) {
    engine.startAcquisition();
    port[1]->incoming = records(2, 100, 30) + records(1, 200, 30);
    runSeconds(1);
    const Spectrum& s = w.session(1).spectrum;
    EXPECT_DOUBLE_EQ(s.counts[100], 60.0);
    EXPECT_DOUBLE_EQ(s.counts[200], 30.0);
    EXPECT_EQ(s.tickCounts[100], 0);
    EXPECT_DOUBLE_EQ(s.lastTickCounts[100], 60.0);
    EXPECT_EQ(s.totalCounts, 90);
    EXPECT_DOUBLE_EQ(w.state.realTime, 1.0);
    EXPECT_EQ(w.screen.elapsedTime, "1");
    EXPECT_DOUBLE_EQ(w.session(1).rate.slot(0).countsPerMinute, 90 * 60.0);
    EXPECT_EQ(w.screen.instrumentStatus[0].counts, "90 cnts");
    EXPECT_EQ(w.screen.instrumentStatus[0].rate, "270 cpm");   // 5400 / 20
    EXPECT_EQ(w.screen.instrumentStatus[0].deadTime, "Correcting for 33.33% dead time");
    EXPECT_DOUBLE_EQ(w.session(1).serialFactor, 1.5);
    EXPECT_EQ(hooks.count("redraw"), 1);
}

TEST_F(EngineTest, RealTimePresetStopsInTheTickThatReachesIt) {
    w.state.presetRealTime = 10;
    w.state.presetRealTimeOn = true;
    engine.startAcquisition();
    runSeconds(30);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_DOUBLE_EQ(w.state.realTime, 10.0);
    EXPECT_TRUE(w.state.presetStop);
    EXPECT_EQ(port[1]->written, "GR");
    EXPECT_EQ(w.screen.indicator, "Acquisition Stopped");
    EXPECT_EQ(w.state.stopDateText, "2026-12-11 09:30:10");
    EXPECT_EQ(t.op.beeps(), 1);
}

TEST_F(EngineTest, StartIsRefusedWhenEveryArmedPresetIsMet) {
    w.state.presetCounts = 1000;
    w.state.presetCountsOn = true;
    w.session(1).spectrum.totalCounts = 1000;
    EXPECT_FALSE(engine.startAcquisition());
    EXPECT_EQ(t.op.messages(), Strings{kPresetMetMessage});
    EXPECT_EQ(t.op.beeps(), 1);
    EXPECT_EQ(port[1]->written, "");
    EXPECT_FALSE(w.state.acquiring);

    // With the real-time preset armed and unmet, Start goes ahead and the first tick ends it.
    w.state.presetRealTime = 60;
    w.state.presetRealTimeOn = true;
    EXPECT_TRUE(engine.startAcquisition());
    runSeconds(1);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_DOUBLE_EQ(w.state.realTime, 1.0);
}

TEST_F(EngineTest, StartContinuesTheClockAndClearsOnlyTheRateHistory) {
    engine.startAcquisition();
    runSeconds(3);
    engine.stopAcquisition();
    const std::string firstStart = w.state.startDateText;
    runSeconds(5);
    engine.startAcquisition();
    runSeconds(2);
    EXPECT_DOUBLE_EQ(w.state.realTime, 5.0);
    EXPECT_EQ(w.state.startDateText, firstStart);
}

TEST_F(EngineTest, ALateTickAddsAllTheTimeAndItsRateSpansIt) {
    engine.startAcquisition();
    bool delayed = false;
    hooks.onRedraw = [&] {
        if (!delayed) {
            delayed = true;
            t.clock.advance(4000);   // a long analysis inside the first tick
        }
    };
    runSeconds(1);
    port[1]->incoming = records(1, 50, 300);
    runSeconds(1);   // the tick 5 s after the last processed one
    EXPECT_DOUBLE_EQ(w.state.realTime, 6.0);
    EXPECT_DOUBLE_EQ(w.session(1).rate.slot(0).countsPerMinute, 300 / 5.0 * 60.0);
}

TEST_F(EngineTest, AnEarlyTickOnlyDecodes) {
    engine.startAcquisition();
    runSeconds(1);
    port[1]->incoming = records(1, 7, 5);
    engine.tick();   // 0 s after the last tick
    EXPECT_EQ(w.session(1).spectrum.tickCounts[7], 5);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[7], 0.0);
    EXPECT_DOUBLE_EQ(w.state.realTime, 1.0);
    runSeconds(1);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[7], 5.0);
}

TEST_F(EngineTest, BatteryIsRequestedEvery123Seconds) {
    engine.startAcquisition();
    runSeconds(122);
    EXPECT_EQ(port[1]->written, "G");
    runSeconds(1);
    EXPECT_EQ(port[1]->written, "GB");
}

TEST_F(EngineTest, ClearInFourChartsErasesOnlyTheChosenInstrument) {
    open(2);
    w.state.quadLayout = true;
    w.state.view.chooser = InstrumentChooser::Mca2;
    engine.startAcquisition();
    port[1]->incoming = records(1, 10, 4);
    port[2]->incoming = records(1, 10, 6);
    runSeconds(1);
    engine.clearSpectrum();
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[10], 4.0);
    EXPECT_DOUBLE_EQ(w.session(2).spectrum.counts[10], 0.0);
    EXPECT_DOUBLE_EQ(w.state.realTime, 0.0);
    EXPECT_EQ(w.screen.indicator, "Spectrum Clear");
    EXPECT_TRUE(w.state.startDateText.empty());
    EXPECT_FALSE(w.state.spectrumUnsaved);
    EXPECT_TRUE(w.screen.deadTimeMenuEnabled);
    EXPECT_EQ(hooks.count("cleared"), 1);
    engine.startAcquisition();
    EXPECT_EQ(port[2]->written, "GRG");
}

TEST_F(EngineTest, ClearAndRestartStartsAgainAfter300Ms) {
    engine.startAcquisition();
    runSeconds(2);
    engine.clearAndRestart();
    EXPECT_TRUE(w.state.acquiring);
    EXPECT_EQ(port[1]->written, "GRG");
    const auto& p = t.clock.pauses();
    EXPECT_EQ(std::vector<int>(p.end() - 5, p.end()), (std::vector<int>{100, 100, 300, 150, 15}));
}

TEST_F(EngineTest, SoundChoices) {
    struct Case {
        bool noSound, ringOnce, ringUntil;
        int beeps;
        int doneWindows;
    };
    for (const Case& c : {Case{true, true, false, 0, 0}, Case{false, true, false, 1, 0}, Case{false, false, true, 0, 1}}) {
        TestWorkstation other;
        RecordingHooks h;
        AcquisitionEngine e{*other, h};
        other->session(1).port = other.ports.open(other.ports.add(1) ? 1 : 1, 115200);
        other->session(1).open = true;
        other->settings.noSound = c.noSound;
        other->settings.ringOnce = c.ringOnce;
        other->settings.ringUntil = c.ringUntil;
        other->state.presetRealTime = 1;
        other->state.presetRealTimeOn = true;
        e.startAcquisition();
        other.clock.advance(1000);
        EXPECT_EQ(other.op.beeps(), c.beeps);
        EXPECT_EQ(h.count("done"), c.doneWindows);
    }
}

TEST_F(EngineTest, AVanishedInstrumentIsReportedAndItsSpectrumKept) {
    open(2);
    engine.startAcquisition();
    port[2]->incoming = records(1, 300, 8);
    runSeconds(1);
    port[2]->incoming = records(1, 300, 2);
    engine.tick();   // decoded into the tick counts, not yet accumulated
    port[2]->failing = true;
    runSeconds(1);
    ASSERT_EQ(t.op.messages().size(), 1u);
    EXPECT_NE(t.op.messages()[0].find("MCA 2 on COM2 stopped answering"), std::string::npos);
    EXPECT_FALSE(w.session(2).open);
    EXPECT_DOUBLE_EQ(w.session(2).spectrum.counts[300], 10.0);
    EXPECT_TRUE(w.state.acquiring);   // MCA 1 goes on
    port[1]->failing = true;
    runSeconds(1);
    EXPECT_FALSE(w.state.acquiring);
    EXPECT_EQ(w.screen.indicator, "Acquisition Stopped");
}

TEST_F(EngineTest, NetworkModePollsEveryFiveSecondsButNotAtTheEnd) {
    w.state.networkMode = true;
    w.state.presetRealTime = 12;
    w.state.presetRealTimeOn = true;
    engine.startAcquisition();
    port[1]->incoming = records(1, 10, 5);
    runSeconds(20);
    EXPECT_DOUBLE_EQ(w.session(1).spectrum.counts[10], 0.0);   // the instrument keeps the histogram
    EXPECT_EQ(hooks.count("poll@5"), 1);
    EXPECT_EQ(hooks.count("poll@10"), 0);   // within the last 5 s
    EXPECT_EQ(hooks.count("poll@12"), 1);   // the poll at Stop
    EXPECT_EQ(hooks.count("saveNetwork"), 1);
}

TEST_F(EngineTest, AScriptsAcquisitionIsReleasedInsteadOfSaved) {
    w.state.networkMode = true;
    w.state.scriptStartedAcquisition = true;
    w.state.presetRealTime = 2;
    w.state.presetRealTimeOn = true;
    engine.startAcquisition();
    runSeconds(3);
    EXPECT_FALSE(w.state.scriptStartedAcquisition);
    EXPECT_EQ(hooks.count("saveNetwork"), 0);
}

TEST_F(EngineTest, SaveOnEndNamesTheFileByTheStopTime) {
    engine.saveOnEnd = true;
    engine.startAcquisition();
    runSeconds(2);
    engine.stopAcquisition();
    EXPECT_EQ(hooks.count("save 2026 12 11 09-30-02.usf"), 1);
}

TEST_F(EngineTest, GainStabilizationRunsEveryTickWhenApplied) {
    w.settings.autoStab = true;
    engine.startAcquisition();
    runSeconds(2);
    EXPECT_EQ(hooks.count("stabilize 1"), 1);
    EXPECT_EQ(hooks.count("stabilize 2"), 1);
    engine.clearSpectrum();
    EXPECT_EQ(engine.stabilizationTick(), 1);
}

TEST_F(EngineTest, EventLogIsWrittenWhenSwitchedOff) {
    createApplicationFolders(w.folders);
    EXPECT_FALSE(engine.setEventLog(true));
    engine.startAcquisition();
    port[1]->incoming = records(1, 1447, 2) + records(1, 564, 1);
    runSeconds(1);
    const auto file = engine.setEventLog(false);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->filename(), "2026 12 11 09-30-01.txt");
    EXPECT_EQ(readFileBytes(*file), "1447\r\n1447\r\n564\r\n");
    EXPECT_FALSE(engine.setEventLog(false));
}

}  // namespace
}  // namespace mca
