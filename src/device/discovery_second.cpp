// Opening the second instrument.
#include "device/discovery_second.h"

#include "core/number_text.h"
#include "device/discovery_bring_up.h"
#include "device/discovery_identity.h"
#include "device/discovery_search.h"
#include "device/discovery_target_scope.h"
#include "device/instrument_identity.h"
#include "device/port_choice.h"

namespace mca {

namespace {

constexpr int kSecond = 2;
constexpr int kAfterFoundMs = 150;
constexpr int kBatteryPauseMs = 50;
constexpr int kMinShownBattery = 426;
constexpr int kAfterBatteryMs = 100;

std::optional<FoundInstrument> findSecond(Workstation& w) {
    PortSearch search;
    search.highestUsable = kSecondUsableLastPort;
    search.tries = IdentifyTries::SecondInstrument;
    if (w.settings.specifyComPort2) {
        const auto chosen = choosePort(w, PortPurpose::Instrument);
        if (!chosen) return std::nullopt;
        search.ports = {*chosen};
    } else {
        search.ports = portRange(1, kSecondSearchLastPort);
    }
    return searchForInstrument(w, search);
}

OpenOutcome notFound(Workstation& w) {
    w.op().beep();
    w.op().message(std::string(w.state.edition.instrumentName) + " Not Found.");
    return OpenOutcome::NotFound;
}

// The battery after the find, then "N"; false when every reading was zero.
bool readBattery(Workstation& w) {
    InstrumentSession& s = w.session(kSecond);
    const Link link{*s.port, w.platform.waiter, w.state.networkMode};
    w.platform.waiter.pause(kAfterFoundMs);
    const auto reading = readOpeningBattery(link, kBatteryPauseMs);
    if (!reading) return false;
    if (*reading > kMinShownBattery) {
        s.battery = BatteryReading{batteryVolts(*reading), *reading};
        w.screen.instrumentStatus[1].battery = formatFixed(s.battery.volts, 2);
    }
    s.port->write("N");
    w.platform.waiter.pause(kAfterBatteryMs);
    return true;
}

// Detector, settings and HV of the identified instrument.
OpenOutcome bringUp(Workstation& w, DiscoveryHooks& hooks) {
    try {
        if (!chooseDetector(w, kSecond, hooks)) {
            releaseInstrument(w, kSecond);
            return OpenOutcome::NotInUse;
        }
        applyDetectorSettings(w, kSecond, hooks, false);
        if (askForHighVoltage(w, kSecond, hooks, HighVoltageQuestion{}) == HighVoltageChoice::Abort) {
            releaseInstrument(w, kSecond);
            return OpenOutcome::NotInUse;
        }
    } catch (const SerialPortError& e) {
        releaseInstrument(w, kSecond);
        w.op().message(e.what(), {}, MessageKind::Error);
        return OpenOutcome::NotInUse;
    }
    return OpenOutcome::Opened;
}

OpenOutcome openFound(Workstation& w, DiscoveryHooks& hooks) {
    bool answered = false;
    try {
        answered = readBattery(w);
    } catch (const SerialPortError&) {
    }
    if (!answered) {
        releaseInstrument(w, kSecond);
        return notFound(w);
    }
    IdentityReading how;
    how.radNetInNetworkMode = false;
    how.settleBeforeSerial = false;
    how.serialRoundPauses = 1;
    switch (readInstrumentIdentity(w, kSecond, hooks, how)) {
    case IdentityOutcome::Read: break;
    case IdentityOutcome::Silent: return notFound(w);
    case IdentityOutcome::UnreadableFirmware: return OpenOutcome::NotInUse;
    }
    const OpenOutcome outcome = bringUp(w, hooks);
    if (outcome != OpenOutcome::Opened) return outcome;
    hooks.showSecondInstrumentControls(w);
    w.state.view.twoInstrumentView = TwoInstrumentView::Combined;
    hooks.showTwoInstrumentView(w, TwoInstrumentView::Combined);
    return OpenOutcome::Opened;
}

}  // namespace

OpenOutcome openSecondInstrument(Workstation& w, DiscoveryHooks& hooks) {
    if (w.state.offline) {
        w.op().message(kSecondWhileOffline);
        return OpenOutcome::Refused;
    }
    if (w.state.acquiring) {
        w.op().message(kSecondWhileAcquiring);
        return OpenOutcome::Refused;
    }
    hooks.clearSpectrum(w, kSecond);
    const DiscoveryTargetScope target(w.state, kSecond);
    auto found = findSecond(w);
    if (!found) return notFound(w);
    InstrumentSession& s = w.session(kSecond);
    s.port = std::move(found->port);
    s.comNumber = found->comNumber;
    return openFound(w, hooks);
}

}  // namespace mca
