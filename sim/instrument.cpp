// The simulated instrument's answers to the host's commands and its acquisition.
#include "sim/instrument.h"

#include "sim/gamma_sources.h"
#include "sim/histogram_reply.h"
#include "sim/record_encoder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mca::sim {

namespace {
constexpr int kMaxCoarseIndex = 5;
constexpr int kMaxInput = 4;
constexpr int kMaxShaping = 8;
constexpr int kMaxResolutionDigit = 5;
constexpr int kMaxSmoothing = 4;
// A made-up sensitivity of a small NaI(Tl) probe, reported in the "Q" block and used to turn its
// count rate into the dose rate there: counts per second per uSv/h.
constexpr int kSensitivityCpsPerMicroSievertPerHour = 500;
constexpr double kBatteryFullScaleVolts = 12.0;
constexpr int kBatteryFullScaleReading = 1024;
}  // namespace

int InstrumentState::batteryReading() const {
    const long reading = std::lround(identity.batteryVolts / kBatteryFullScaleVolts * kBatteryFullScaleReading);
    return static_cast<int>(std::clamp(reading, 0L, static_cast<long>(kBatteryFullScaleReading - 1)));
}

Instrument::Instrument(const InstrumentConfig& config)
    : m_random(config.seed), m_pulses(linesOf(config.sources), config.ratePerSecond) {
    m_state.identity = config.identity;
}

std::string Instrument::receive(std::string_view bytes) {
    std::string reply;
    for (const char c : bytes) {
        if (const auto command = m_parser.feed(static_cast<std::uint8_t>(c), m_nowSeconds)) apply(*command, reply);
    }
    return reply;
}

void Instrument::advance(double seconds, std::size_t maxStreamBytes, std::string& out) {
    const double elapsed = std::max(seconds, 0.0);
    m_nowSeconds += elapsed;
    if (!m_state.acquiring) return;
    m_countingSeconds += elapsed;
    m_pulses.run(elapsed, streamSettings(), maxStreamBytes, out, m_histogram, m_random);
}

StreamSettings Instrument::streamSettings() const {
    StreamSettings s;
    s.gain = m_state.gain();
    s.thresholdFull = m_state.thresholdFull;
    s.shapingIndex = m_state.shapingIndex;
    s.twoByte = m_state.twoByte;
    s.baud = m_state.baud;
    s.sendRecords = !m_state.histogramOnly;
    return s;
}

void Instrument::apply(const Command& command, std::string& reply) {
    if (applySetting(command) || applyMode(command)) return;
    answerQuery(command, reply);
}

// Commands that change an analog setting; true when `command` was one of them.
bool Instrument::applySetting(const Command& command) {
    const auto& a = command.args;
    switch (command.kind) {
    case CommandKind::SetHighVoltage:
        m_state.hvCode = a[0] << 6 | a[1] >> 2;
        m_state.hvOffPrepared = false;
        return true;
    case CommandKind::PrepareHvOff: m_state.hvOffPrepared = true; return true;
    case CommandKind::WriteHvUnit: m_state.identity.hvUnitVolts = a[0] << 8 | a[1]; return true;
    case CommandKind::SetThreshold:
        m_state.thresholdFull = a[0] << 4 | a[1] >> 4;
        m_state.offsetFull = (a[1] & 0x0F) << 8 | a[2];
        return true;
    case CommandKind::SetCoarseGain:
        if (a[0] <= kMaxCoarseIndex) m_state.coarseIndex = a[0];
        return true;
    case CommandKind::SetFineGain: m_state.fineGain = a[0]; return true;
    case CommandKind::SetInput:
        if (a[0] <= kMaxInput) m_state.input = a[0];
        return true;
    case CommandKind::SetShaping:
        if (a[0] <= kMaxShaping) m_state.shapingIndex = a[0];
        return true;
    case CommandKind::SetResolution:
        if (a[0] >= 1 && a[0] <= kMaxResolutionDigit) m_state.resolutionShift = a[0] - 1;
        return true;
    case CommandKind::SetSmoothing:
        if (a[0] <= kMaxSmoothing) m_state.smoothing = a[0];
        return true;
    case CommandKind::SetPositive: m_state.identity.negativePolarity = false; return true;
    case CommandKind::SetNegative: m_state.identity.negativePolarity = true; return true;
    case CommandKind::WriteSerial: m_state.identity.serialNumber.assign(a.begin(), a.end()); return true;
    default: return false;
    }
}

// Commands that switch a mode or an output; true when `command` was one of them.
bool Instrument::applyMode(const Command& command) {
    switch (command.kind) {
    case CommandKind::Start: startAcquisition(); return true;
    case CommandKind::Stop: stopAcquisition(); return true;
    case CommandKind::Alarm0On: m_state.alarm0 = true; return true;
    case CommandKind::Alarm0Off: m_state.alarm0 = false; return true;
    case CommandKind::Alarm1On: m_state.alarm1 = true; return true;
    case CommandKind::Alarm1Off: m_state.alarm1 = false; return true;
    case CommandKind::TwoByteOn: m_state.twoByte = true; return true;
    case CommandKind::TwoByteOff: m_state.twoByte = false; return true;
    case CommandKind::HighBaud: m_state.baud = kHighBaud; return true;
    case CommandKind::LowBaud: m_state.baud = kLowBaud; return true;
    case CommandKind::HistogramClear:
        clearHistogram();
        m_state.histogramOnly = true;
        return true;
    case CommandKind::CloseStart: m_state.histogramOnly = false; return true;
    case CommandKind::AfterBattery:
    case CommandKind::CloseEnd: return true;
    default: return false;
    }
}

void Instrument::answerQuery(const Command& command, std::string& reply) {
    switch (command.kind) {
    case CommandKind::Identify: reply += "VORA2"; break;
    case CommandKind::ReadSerial: reply += m_state.identity.serialNumber; break;
    case CommandKind::ReadFirmware: reply += m_state.identity.firmware; break;
    case CommandKind::ReadPolarity: reply += m_state.identity.negativePolarity ? '-' : '+'; break;
    case CommandKind::ReadHvUnit:
        reply += static_cast<char>(static_cast<unsigned char>(m_state.identity.hvUnitVolts >> 8 & 0xFF));
        reply += static_cast<char>(static_cast<unsigned char>(m_state.identity.hvUnitVolts & 0xFF));
        break;
    case CommandKind::ReadBattery:
        if (!m_state.acquiring) {
            appendIdleBatteryReply(reply, m_state.batteryReading());
        } else if (!m_state.twoByte && !m_state.histogramOnly) {
            appendBatteryRecord(reply, m_state.batteryReading());
        }
        break;
    case CommandKind::ModeKOn:
        m_state.modeK = true;
        reply += "K mode on\r\n";
        break;
    case CommandKind::ModeKOff:
        m_state.modeK = false;
        reply += "K mode off\r\n";
        break;
    case CommandKind::ReadRegisters: reply += registerText(); break;
    case CommandKind::HistogramQuery: reply += histogramBlock(); break;
    default: break;
    }
}

void Instrument::startAcquisition() {
    if (m_state.acquiring) return;
    m_state.acquiring = true;
    m_pulses.start(m_random);
}

void Instrument::stopAcquisition() {
    m_state.acquiring = false;
    m_pulses.stop();
}

void Instrument::clearHistogram() {
    m_histogram.fill(0);
    m_countingSeconds = 0;
    m_recordsAtClear = m_pulses.statistics().records;
}

std::string Instrument::registerText() const {
    char text[160];
    std::snprintf(text, sizeof text, "HV=%04X C=%d F=%02X T=%03X O=%03X I=%d S=%d M=%d X=%d P=%c A=%d%d B=%d\r\n",
                  static_cast<unsigned>(m_state.hvCode), m_state.coarseIndex, static_cast<unsigned>(m_state.fineGain),
                  static_cast<unsigned>(m_state.thresholdFull), static_cast<unsigned>(m_state.offsetFull), m_state.input,
                  m_state.shapingIndex, m_state.resolutionShift + 1, m_state.smoothing,
                  m_state.identity.negativePolarity ? '-' : '+', m_state.alarm0 ? 1 : 0, m_state.alarm1 ? 1 : 0,
                  m_state.twoByte ? 2 : 3);
    return text;
}

std::string Instrument::histogramBlock() const {
    const double records = static_cast<double>(m_pulses.statistics().records - m_recordsAtClear);
    const double busy = records * busySeconds(m_state.shapingIndex);
    const double cps = m_countingSeconds > 0 ? records / m_countingSeconds : 0.0;
    HistogramFigures figures;
    figures.countingMs = static_cast<std::int32_t>(std::lround(m_countingSeconds * 1000));
    figures.liveMs = static_cast<std::int32_t>(std::lround(std::max(m_countingSeconds - busy, 0.0) * 1000));
    figures.doseRateNanoSievertPerHour =
        static_cast<std::int32_t>(std::lround(cps * 1000 / kSensitivityCpsPerMicroSievertPerHour));
    figures.sensitivity = kSensitivityCpsPerMicroSievertPerHour;
    figures.hvVolts = static_cast<std::int32_t>(std::lround(m_state.hvVolts()));
    return histogramReply(m_histogram, figures);
}

}  // namespace mca::sim
