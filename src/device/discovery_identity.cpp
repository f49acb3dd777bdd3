// Reading an instrument's identity while it is opened.
#include "device/discovery_identity.h"

#include "core/errors.h"
#include "device/alias_file.h"
#include "device/instrument_identity.h"

namespace mca {

namespace {

constexpr int kSettleBeforeSerialMs = 250;
constexpr const char* kRadNetSerial = "RadNet";

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string unreadableFirmwareMessage(const Workstation& w, const InstrumentSession& s, const std::string& text) {
    return std::string(w.state.edition.instrumentName) + " #" + s.serialNumber + " reported the firmware revision \"" +
           trimmed(text) + "\", which is not a number. The instrument cannot be used.";
}

// Serial number into the session; false when none came.
bool readSerial(Workstation& w, InstrumentSession& s, const Link& link, const IdentityReading& how) {
    if (w.state.networkMode && how.radNetInNetworkMode) {
        s.serialNumber = kRadNetSerial;
        return true;
    }
    if (how.settleBeforeSerial) w.platform.waiter.pause(kSettleBeforeSerialMs);
    if (!how.serialSplash.empty()) w.screen.showSplash(how.serialSplash);
    const auto serial = readSerialNumber(link, how.serialRoundPauses);
    if (!serial) return false;
    s.serialNumber = *serial;
    return true;
}

// Firmware, polarity and HV unit into the session.
IdentityOutcome readFirmware(Workstation& w, InstrumentSession& s, const Link& link) {
    w.screen.showSplash("Reading " + std::string(w.state.edition.instrumentName) + " #" + s.serialNumber +
                        " Firmware Revision");
    const auto text = readFirmwareText(link);
    if (!text) return IdentityOutcome::Silent;
    const auto revision = firmwareRevisionOf(*text);
    if (!revision) {
        w.op().message(unreadableFirmwareMessage(w, s, *text), {}, MessageKind::Error);
        return IdentityOutcome::UnreadableFirmware;
    }
    s.firmwareText = trimmed(*text);
    s.firmwareRevision = *revision;
    s.hvNegative = false;
    s.hvFullScale = kDefaultHvFullScale;
    if (asksPolarityAndHvUnit(*revision, link.networkMode)) {
        s.hvNegative = readNegativePolarity(link);
        s.hvFullScale = readHvUnit(link);
    }
    return IdentityOutcome::Read;
}

IdentityOutcome readOnLink(Workstation& w, int n, const IdentityReading& how) {
    InstrumentSession& s = w.session(n);
    if (!s.port) return IdentityOutcome::Silent;
    const Link link{*s.port, w.platform.waiter, w.state.networkMode};
    try {
        if (!readSerial(w, s, link, how)) return IdentityOutcome::Silent;
        s.alias = aliasOf(w, s.serialNumber);
        return readFirmware(w, s, link);
    } catch (const SerialPortError&) {
        // A port that fails half-way through the questions is an instrument that stopped answering.
        return IdentityOutcome::Silent;
    }
}

}  // namespace

IdentityOutcome readInstrumentIdentity(Workstation& w, int n, DiscoveryHooks& hooks, const IdentityReading& how) {
    const IdentityOutcome outcome = readOnLink(w, n, how);
    if (outcome != IdentityOutcome::Read) {
        releaseInstrument(w, n);
        return outcome;
    }
    InstrumentSession& s = w.session(n);
    hooks.showSerialNumber(w, n, serialStatusText(s));
    s.open = true;
    return outcome;
}

std::string aliasOf(Workstation& w, const std::string& serial) {
    try {
        return readAliasFile(w.folders, serial);
    } catch (const FileError& e) {
        w.op().message(e.what(), {}, MessageKind::Warning);
        return {};
    }
}

void releaseInstrument(Workstation& w, int n) {
    InstrumentSession& s = w.session(n);
    s.open = false;
    s.port.reset();
}

}  // namespace mca
