// The acquisition engine's operations: Start, Stop, Clear, Clear-and-restart, the end of an
// acquisition and the idle battery poll. The tick itself is in acquisition_tick.cpp.
#include "device/acquisition_engine.h"

#include "core/atomic_file.h"
#include "core/number_text.h"
#include "device/protocol.h"

#include <algorithm>
#include <utility>

namespace mca {

namespace {

constexpr int kBeforeStartMs = 150;
constexpr int kAfterStartMs = 15;
constexpr int kAfterStopMs = 100;
constexpr int kBeforeRestartMs = 300;
constexpr int kMinIdleBatteryMca1 = 200;
constexpr int kMinIdleBatterySecond = 426;

bool twoInstrumentLayout(const Workstation& w) { return !w.state.quadLayout && w.session(2).open; }

}  // namespace

AcquisitionEngine::AcquisitionEngine(Workstation& workstation, AcquisitionHooks& hooks)
    : m_w(workstation), m_hooks(hooks) {}

AcquisitionEngine::~AcquisitionEngine() {
    if (m_tickTimer) m_w.platform.scheduler.stopTimer(*m_tickTimer);
    stopIdlePoll();
}

bool AcquisitionEngine::presetsAllMet() const {
    const AppState& st = m_w.state;
    const bool realTimeArmed = st.presetRealTimeOn || st.fieldStation;
    if (!realTimeArmed && !st.presetCountsOn) return false;
    const bool realTimeUnmet = realTimeArmed && st.realTime < st.presetRealTime;
    const bool countsUnmet = st.presetCountsOn && m_w.session(1).spectrum.totalCounts < st.presetCounts;
    return !realTimeUnmet && !countsUnmet;
}

void AcquisitionEngine::linkLost(int instrument, const std::exception& error) {
    InstrumentSession& s = m_w.session(instrument);
    // What was decoded but not yet accumulated belongs to the spectrum that is kept.
    addTickCounts(s.spectrum, false);
    s.port.reset();
    s.open = false;
    s.rxCarry.clear();
    m_w.op().message("MCA " + std::to_string(instrument) + " on COM" + std::to_string(s.comNumber) +
                         " stopped answering (" + error.what() + "). Its spectrum is kept.",
                     {}, MessageKind::Error);
}

void AcquisitionEngine::sendToOpenInstruments(const char* command) {
    for (int n = 1; n <= kInstrumentCount; ++n) {
        InstrumentSession& s = m_w.session(n);
        if (!s.open || !s.port) continue;
        try {
            s.port->write(command);
        } catch (const SerialPortError& e) {
            linkLost(n, e);
        }
    }
}

void AcquisitionEngine::purgeOpenPorts() {
    for (InstrumentSession& s : m_w.sessions) {
        if (s.open && s.port) s.port->purge();
    }
}

bool AcquisitionEngine::startAcquisition() {
    AppState& st = m_w.state;
    if (st.acquiring) return false;
    if (presetsAllMet()) {
        m_w.platform.op.beep();
        m_w.op().message(kPresetMetMessage, std::string(st.edition.windowCaption), MessageKind::Warning);
        return false;
    }
    const bool anyOpen = std::any_of(m_w.sessions.begin(), m_w.sessions.end(), [](const auto& s) { return s.open; });
    if (!anyOpen) return false;
    stopIdlePoll();
    m_w.platform.waiter.pause(kBeforeStartMs);
    sendToOpenInstruments("G");
    m_w.platform.waiter.pause(kAfterStartMs);
    m_tickTimer = m_w.platform.scheduler.startTimer(kTickMilliseconds, [this] { tick(); });
    st.acquiring = true;
    m_w.session(1).rate.reset();
    m_w.screen.instrumentStatus[0].rate.clear();
    const Clock& clock = m_w.platform.clock;
    if (st.startDateText.empty()) st.startDateText = formatDateTimeText(clock.now());
    st.startTime = st.lastTickTime = clock.now();
    m_startSteadyMs = st.lastTickSteadyMs = clock.steadyMilliseconds();
    m_w.screen.indicator = "Acquiring";
    st.spectrumUnsaved = true;
    m_w.screen.deadTimeMenuEnabled = false;
    return true;
}

void AcquisitionEngine::stopAcquisition() {
    AppState& st = m_w.state;
    if (!st.acquiring) return;
    if (m_tickTimer) m_w.platform.scheduler.stopTimer(*m_tickTimer);
    m_tickTimer.reset();
    sendToOpenInstruments("R");
    if (twoInstrumentLayout(m_w) && m_w.session(2).port) {
        try {
            m_w.session(2).port->write("R");
        } catch (const SerialPortError& e) {
            linkLost(2, e);
        }
    }
    m_w.platform.waiter.pause(kAfterStopMs);
    purgeOpenPorts();
    st.acquiring = false;
    m_w.platform.waiter.pause(kAfterStopMs);
    startIdlePoll();
    m_w.session(1).rxCarry.clear();
    m_w.screen.indicator = "Acquisition Stopped";
    st.stopDateText = formatDateTimeText(m_w.platform.clock.now());
    if (st.networkMode) m_hooks.pollNetworkInstrument(m_w);
    if (saveOnEnd) {
        m_hooks.saveSpectrum(m_w, m_w.folders.spectra / (formatStamp(m_w.platform.clock.now(), kStampSpaced) + ".usf"));
    }
    for (int n = 1; n <= kInstrumentCount; ++n) {
        const InstrumentSession& s = m_w.session(n);
        if (s.open) m_w.screen.instrumentStatus[static_cast<std::size_t>(n - 1)].counts =
            formatThousands(roundHalfEven(s.spectrum.sum())) + " cnts";
    }
    m_w.screen.loadCalFromSpectrumEnabled = false;
}

void AcquisitionEngine::clearInstrument(int n) {
    InstrumentSession& s = m_w.session(n);
    s.spectrum.clear();
    s.rate.reset();
    s.serialFactor = 0.0;
    auto& status = m_w.screen.instrumentStatus[static_cast<std::size_t>(n - 1)];
    status.counts.clear();
    status.rate.clear();
    status.deadTime.clear();
}

void AcquisitionEngine::clearSpectrum() {
    AppState& st = m_w.state;
    if (st.networkMode && m_w.session(1).open && m_w.session(1).port) {
        try {
            sendNetworkClear(Link{*m_w.session(1).port, m_w.platform.waiter, true});
        } catch (const SerialPortError& e) {
            linkLost(1, e);
        }
    }
    m_stabilizationTick = 1;
    stopAcquisition();
    st.realTime = 0.0;
    m_w.screen.elapsedTime = "0";
    const auto chosen = static_cast<int>(st.view.chooser);
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (!st.quadLayout || st.view.chooser == InstrumentChooser::All || chosen == n) clearInstrument(n);
    }
    st.startDateText.clear();
    st.stopDateText.clear();
    st.spectrumUnsaved = false;
    m_w.screen.indicator = "Spectrum Clear";
    m_w.screen.spectrumFileName.clear();
    m_w.screen.loadCalFromSpectrumEnabled = false;
    m_w.screen.deadTimeMenuEnabled = true;
    m_hooks.spectrumCleared(m_w);
}

void AcquisitionEngine::clearAndRestart() {
    clearSpectrum();
    m_w.platform.waiter.pause(kBeforeRestartMs);
    startAcquisition();
}

void AcquisitionEngine::ring() {
    const Settings& s = m_w.settings;
    const bool fineTune = m_w.state.fineTuneActive;
    if (s.noSound) return;
    if (s.ringOnce && (!fineTune || m_hooks.sequentialSpectraActive(m_w))) {
        m_w.platform.op.beep();
    } else if (s.ringUntil && !fineTune) {
        m_hooks.showDoneWindow(m_w);
    }
}

void AcquisitionEngine::endOfAcquisition() {
    AppState& st = m_w.state;
    st.presetStop = true;
    stopAcquisition();
    if (st.fieldStation) m_hooks.fieldStationStopped(m_w);
    ring();
    if (st.fieldStation && !st.fineTuneActive) m_hooks.fieldStationEndOfAcquisition(m_w);
    if (st.scriptStartedAcquisition) {
        st.scriptStartedAcquisition = false;
        return;
    }
    if (st.networkMode) m_hooks.saveNetworkSpectrum(m_w);
}

void AcquisitionEngine::startIdlePoll() {
    if (m_idleTimer || m_w.state.offline) return;
    m_idleTimer = m_w.platform.scheduler.startTimer(kIdlePollMilliseconds, [this] { pollIdleBattery(); });
}

void AcquisitionEngine::stopIdlePoll() {
    if (m_idleTimer) m_w.platform.scheduler.stopTimer(*m_idleTimer);
    m_idleTimer.reset();
}

void AcquisitionEngine::pollIdleBattery() {
    if (m_w.state.networkMode || m_w.state.acquiring) return;
    for (int n : {1, 2}) {
        InstrumentSession& s = m_w.session(n);
        if (!s.open || !s.port || (n == 2 && !twoInstrumentLayout(m_w))) continue;
        try {
            const auto reading = readIdleBattery(Link{*s.port, m_w.platform.waiter, false});
            if (reading && *reading > (n == 1 ? kMinIdleBatteryMca1 : kMinIdleBatterySecond)) {
                s.battery = BatteryReading{batteryVolts(*reading), *reading};
                m_w.screen.instrumentStatus[static_cast<std::size_t>(n - 1)].battery = formatFixed(s.battery.volts, 2);
            }
        } catch (const SerialPortError& e) {
            linkLost(n, e);
        }
    }
}

std::optional<std::filesystem::path> AcquisitionEngine::setEventLog(bool on) {
    const bool wasOn = std::exchange(m_eventLogOn, on);
    if (on) {
        m_eventLog.clear();
        return std::nullopt;
    }
    if (!wasOn || m_eventLog.empty()) return std::nullopt;
    std::string text;
    text.reserve(m_eventLog.size() * 6);
    for (std::uint16_t channel : m_eventLog) text += std::to_string(channel) + "\r\n";
    const auto file = m_w.folders.spectra / (formatStamp(m_w.platform.clock.now(), kStampSpaced) + ".txt");
    writeFileAtomically(file, text);
    m_eventLog.clear();
    return file;
}

}  // namespace mca
