// The acquisition tick: decode, advance the real-time clock, dead time, accumulate, presets,
// rates. It runs every second while acquiring; a tick that comes less than 0.9 s after the last
// one only decodes, and a late tick adds all the time that has passed.
#include "device/acquisition_engine.h"

#include "core/number_text.h"
#include "device/event_decoder.h"

#include <algorithm>

namespace mca {

namespace {

constexpr double kMinTickSeconds = 0.9;
constexpr long long kBatteryRequestSeconds = 123;
constexpr long long kNetworkPollSeconds = 5;

std::size_t slot(int n) { return static_cast<std::size_t>(n - 1); }

}  // namespace

void AcquisitionEngine::tick() {
    // A modal message inside the tick lets the event loop run timers; a second tick must wait.
    if (m_inTick || !m_w.state.acquiring) return;
    m_inTick = true;
    const Clock& clock = m_w.platform.clock;
    if (!m_w.state.networkMode) decodeAll();
    const double elapsed = static_cast<double>(clock.steadyMilliseconds() - m_w.state.lastTickSteadyMs) / 1000.0;
    if (m_w.state.acquiring && elapsed >= kMinTickSeconds) {
        advanceClock(elapsed);
        requestBatteryRecords();
        updateDeadTime();
        accumulate();
        m_hooks.redrawCharts(m_w);
        const bool ends = presetReached();
        if (m_w.state.networkMode) {
            const long long whole = roundHalfEven(m_w.state.realTime);
            const bool inLastSeconds =
                m_w.state.presetRealTimeOn && m_w.state.presetRealTime - m_w.state.realTime <= kNetworkPollSeconds;
            if (whole % kNetworkPollSeconds == 0 && !inLastSeconds) m_hooks.pollNetworkInstrument(m_w);
        }
        if (ends) endOfAcquisition();
        if (m_hooks.sequentialSpectraActive(m_w)) m_hooks.sequentialSpectraTick(m_w, ends);
        updateRates(elapsed);
        m_hooks.refreshCursorReadout(m_w);
    }
    if (m_w.settings.autoStab) m_hooks.stabilizeGain(m_w, m_stabilizationTick++);
    m_inTick = false;
}

void AcquisitionEngine::decodeAll() {
    const int cap = m_w.state.eventCreditCap;
    for (int n = 1; n <= kInstrumentCount; ++n) {
        InstrumentSession& s = m_w.session(n);
        if (!s.open) continue;
        try {
            const bool logThis = n == 1 && m_eventLogOn;
            const DecodeResult r = decodeSessionInput(s, cap, logThis ? &m_eventLog : nullptr);
            if (r.batteryReading && *r.batteryReading > kMinStreamBatteryReading) noteBattery(n);
        } catch (const SerialPortError& e) {
            linkLost(n, e);
        }
    }
    const bool anyOpen = std::any_of(m_w.sessions.begin(), m_w.sessions.end(), [](const auto& s) { return s.open; });
    if (!anyOpen) stopAcquisition();
}

void AcquisitionEngine::noteBattery(int instrument) {
    const InstrumentSession& s = m_w.session(instrument);
    if (instrument <= 2) m_w.screen.instrumentStatus[slot(instrument)].battery = formatFixed(s.battery.volts, 2);
    if (instrument == 1 && trackBattery) {
        m_batteryTable.push_back({formatDateTimeText(m_w.platform.clock.now()), formatFixed(s.battery.volts, 2),
                                  formatFixed(s.rate.displayedRate(), 0)});
    }
}

void AcquisitionEngine::advanceClock(double elapsedSeconds) {
    AppState& st = m_w.state;
    st.realTime += elapsedSeconds;
    m_w.screen.elapsedTime = std::to_string(roundHalfEven(st.realTime));
    st.lastTickTime = m_w.platform.clock.now();
    st.lastTickSteadyMs = m_w.platform.clock.steadyMilliseconds();
    if (st.fieldStation) m_hooks.fieldStationTick(m_w, elapsedSeconds);
}

void AcquisitionEngine::requestBatteryRecords() {
    const AppState& st = m_w.state;
    if (st.networkMode || st.realTime <= 0.0) return;
    if (roundHalfEven(st.realTime) % kBatteryRequestSeconds == 0) sendToOpenInstruments("B");
}

void AcquisitionEngine::updateDeadTime() {
    if (m_w.state.networkMode) return;
    for (int n = 1; n <= kInstrumentCount; ++n) {
        InstrumentSession& s = m_w.session(n);
        if (!s.open || s.spectrum.tickEvents == 0) continue;
        s.serialFactor = tickSerialFactor(s.spectrum);
        s.deadTimePercent = tickDeadTimePercent(s.spectrum);
        if (n <= 2) {
            m_w.screen.instrumentStatus[slot(n)].deadTime = deadTimeText(s.deadTimePercent, m_w.state.deadTimeCorrection);
        }
    }
}

void AcquisitionEngine::addTickCounts(Spectrum& sp, bool keepLastTick) const {
    const auto channels = static_cast<std::size_t>(m_w.state.channelCount);
    for (std::size_t i = 0; i < channels; ++i) {
        const std::int32_t c = sp.tickCounts[i];
        sp.counts[i] += c;
        sp.stabilizationSums[i] += c;
        if (keepLastTick) sp.lastTickCounts[i] = c;
    }
    // Channels beyond the spectrum's length are not shown or saved; they must not linger.
    sp.tickCounts.fill(0);
    sp.tickEvents = 0;
    sp.tickPulses = 0;
}

void AcquisitionEngine::accumulate() {
    if (m_w.state.networkMode) return;
    for (int n = 1; n <= kInstrumentCount; ++n) {
        InstrumentSession& s = m_w.session(n);
        if (s.open) addTickCounts(s.spectrum, n <= 2);
    }
}

bool AcquisitionEngine::presetReached() const {
    const AppState& st = m_w.state;
    const bool byTime = (st.presetRealTimeOn || st.fieldStation) && st.realTime >= st.presetRealTime;
    const bool byCounts = st.presetCountsOn && m_w.session(1).spectrum.totalCounts >= st.presetCounts;
    return byTime || byCounts;
}

double AcquisitionEngine::secondsSinceStart() const {
    return static_cast<double>(m_w.platform.clock.steadyMilliseconds() - m_startSteadyMs) / 1000.0;
}

void AcquisitionEngine::updateRates(double elapsedSeconds) {
    const double since = secondsSinceStart();
    for (int n = 1; n <= kInstrumentCount; ++n) {
        InstrumentSession& s = m_w.session(n);
        if (!s.open) continue;
        s.rate.push(since, static_cast<double>(s.spectrum.tickCredited) / elapsedSeconds * 60.0);
        s.spectrum.tickCredited = 0;
        auto& status = m_w.screen.instrumentStatus[slot(n)];
        status.counts = formatThousands(s.spectrum.totalCounts) + " cnts";
        if (!m_w.state.networkMode && m_w.state.realTime > 0.0) status.rate = s.rate.displayedRateText();
    }
}

}  // namespace mca
