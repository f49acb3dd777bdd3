// The service commands that ask the instrument something or change its identity.
#include "device/service_commands.h"

#include "device/busy_scope.h"

#include "core/number_text.h"
#include "device/instrument_identity.h"
#include "device/service_commands_reply.h"

#include <algorithm>
#include <filesystem>

namespace mca {

namespace {

constexpr std::size_t kSerialLength = 6;
constexpr ReplyRounds kSerialRounds{2, 100, 25};
constexpr ReplyRounds kFirmwareRounds{2, 100, 25};
constexpr ReplyRounds kPolarityRounds{1, 100, 15};
constexpr ReplyRounds kHvUnitRounds{1, 50, 15};
constexpr ReplyRounds kPdaRounds{1, 100, 20};
constexpr int kBeforeQueryMs = 100;
constexpr int kAfterFirmwareQueryMs = 1;
constexpr long long kMaxHvUnit = 0xFFFF;

bool isSerialNumber(const std::string& text) { return text.size() >= kSerialLength && text.front() == '2'; }

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

int twoByteValue(const std::string& bytes) {
    return static_cast<unsigned char>(bytes[0]) * 256 + static_cast<unsigned char>(bytes[1]);
}

}  // namespace

bool serviceControlsShown(const Workstation& w) {
    std::error_code ec;
    return !w.state.offline && std::filesystem::exists(w.folders.application / kServiceMarkerFile, ec);
}

ServiceCommands::ServiceCommands(Workstation& workstation, AcquisitionEngine& engine, HardwareControl& control)
    : m_w(workstation), m_engine(engine), m_control(control) {}

bool ServiceCommands::ready() const {
    const InstrumentSession& s = m_w.session(kServiceInstrument);
    return !m_busy && !m_control.busy() && s.open && s.port && serviceControlsShown(m_w);
}

Link ServiceCommands::link() {
    return Link{*m_w.session(kServiceInstrument).port, m_w.platform.waiter, m_w.state.networkMode};
}

void ServiceCommands::show(std::string_view text, MessageKind kind) {
    m_w.op().message(std::string(text), std::string(m_w.state.edition.windowCaption), kind);
}

bool ServiceCommands::refusedWhileAcquiring(std::string_view message) {
    if (!m_w.state.acquiring) return false;
    show(message, MessageKind::Warning);
    return true;
}

bool ServiceCommands::firmwareAnswersQueries() const {
    return m_w.session(kServiceInstrument).firmwareRevision >= kFirstQueriedRevision;
}

bool ServiceCommands::applyGainPreset(const GainPreset& preset) {
    if (!ready()) return false;
    HardwarePanel& panel = m_control.panel();
    panel.chooseCoarseGain(preset.coarseGainIndex);
    panel.editFineGain(preset.fineGainPosition);
    return m_control.setCoarseGain();
}

bool ServiceCommands::applyHvPreset(const HvPreset& preset) {
    if (!ready()) return false;
    return m_control.setHighVoltage(preset.volts);
}

std::optional<std::string> ServiceCommands::readSerialNumber() {
    if (!ready() || refusedWhileAcquiring(kNoReadSerialWhileAcquiring)) return std::nullopt;
    BusyScope busy(m_busy);
    const Link l = link();
    l.port.purge();
    l.port.write("@");
    const std::string reply = gatherReply(l, kSerialRounds, isSerialNumber);
    if (!isSerialNumber(reply)) return std::nullopt;
    m_fields.serialNumber = reply;
    return reply;
}

bool ServiceCommands::writeSerialNumber(const std::string& serial) {
    if (!ready() || refusedWhileAcquiring(kNoWriteSerialWhileAcquiring)) return false;
    if (serial.size() != kSerialLength) {
        show(kSerialMustBeSixDigits, MessageKind::Error);
        return false;
    }
    if (serial.front() != '2' || !allDigits(serial)) {
        show(kSerialMustBeginWith2, MessageKind::Error);
        return false;
    }
    BusyScope busy(m_busy);
    sendSerialNumber(link(), serial);
    return true;
}

std::optional<std::string> ServiceCommands::readFirmware() {
    if (!ready() || refusedWhileAcquiring(kNoFirmwareWhileAcquiring)) return std::nullopt;
    BusyScope busy(m_busy);
    const Link l = link();
    l.port.readAll();
    l.port.write("f");
    l.waiter.pause(kAfterFirmwareQueryMs);
    const std::string reply = trimmed(gatherReply(l, kFirmwareRounds, [](const std::string& t) { return !t.empty(); }));
    if (reply.empty()) return std::nullopt;
    show(std::string(m_w.state.edition.instrumentName) + " Firmware version " + reply);
    return reply;
}

std::optional<bool> ServiceCommands::readPolarity() {
    if (!ready() || !firmwareAnswersQueries() || refusedWhileAcquiring(kNoPolarityWhileAcquiring)) {
        return std::nullopt;
    }
    BusyScope busy(m_busy);
    const Link l = link();
    l.port.purge();
    l.waiter.pause(kBeforeQueryMs);
    l.port.write("%");
    const auto hasSign = [](const std::string& t) { return t.find_first_of("+-") != std::string::npos; };
    const std::string reply = gatherReply(l, kPolarityRounds, hasSign);
    if (!hasSign(reply)) return std::nullopt;
    const bool negative = reply[reply.find_first_of("+-")] == '-';
    m_fields.polarity = negative ? kNegativeSupplyText : kPositiveSupplyText;
    return negative;
}

bool ServiceCommands::writePolarity(std::optional<bool> negative) {
    if (!ready()) return false;
    if (!negative) {
        show(kNoPolaritySelected, MessageKind::Warning);
        return false;
    }
    sendHvPolarity(link(), *negative);
    m_w.session(kServiceInstrument).hvNegative = *negative;
    return true;
}

std::optional<int> ServiceCommands::readHvUnit() {
    if (!ready() || !firmwareAnswersQueries() || refusedWhileAcquiring(kNoHvUnitWhileAcquiring)) {
        return std::nullopt;
    }
    BusyScope busy(m_busy);
    const Link l = link();
    l.port.purge();
    l.waiter.pause(kBeforeQueryMs);
    l.port.write("2");
    const auto nonZero = [](const std::string& t) { return t.size() >= 2 && twoByteValue(t) != 0; };
    const std::string reply = gatherReply(l, kHvUnitRounds, nonZero);
    if (!nonZero(reply)) return std::nullopt;
    const int volts = twoByteValue(reply);
    useHvUnit(volts);
    m_fields.hvUnit = std::to_string(volts);
    return volts;
}

bool ServiceCommands::writeHvUnit(const std::string& field) {
    if (!ready()) return false;
    const auto volts = parseInteger(field);
    if (!volts || *volts < 1 || *volts > kMaxHvUnit) {
        show(kNoHvUnitEntered, MessageKind::Warning);
        return false;
    }
    BusyScope busy(m_busy);
    sendHvUnit(link(), static_cast<int>(*volts));
    useHvUnit(static_cast<int>(*volts));
    return true;
}

void ServiceCommands::useHvUnit(int volts) {
    InstrumentSession& s = m_w.session(kServiceInstrument);
    s.hvFullScale = volts;
    // The HV unit bounds the HV field as well as the code the HV is sent in.
    if (m_control.panel().instrument() == kServiceInstrument) m_control.panel().setHvLimit(highVoltageLimit(s));
}

bool ServiceCommands::sendPdaCommand(const char* command, std::string_view refusal) {
    if (!ready() || refusedWhileAcquiring(refusal)) return false;
    BusyScope busy(m_busy);
    const Link l = link();
    l.port.write(command);
    const auto lineEnded = [](const std::string& t) { return !t.empty() && t.back() == '\n'; };
    const std::string reply = trimmed(gatherReply(l, kPdaRounds, lineEnded));
    if (!reply.empty()) show(reply);
    return true;
}

bool ServiceCommands::setPdaMode() { return sendPdaCommand("K", kNoSetPdaWhileAcquiring); }

bool ServiceCommands::endPdaMode() { return sendPdaCommand("k", kNoEndPdaWhileAcquiring); }

}  // namespace mca
