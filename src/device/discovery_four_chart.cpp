// Opening an instrument of the four-chart layout.
#include "device/discovery_four_chart.h"

#include "device/alias_chart_title.h"
#include "device/discovery_bring_up.h"
#include "device/discovery_identity.h"
#include "device/discovery_search.h"
#include "device/discovery_second.h"
#include "device/discovery_target_scope.h"
#include "device/instrument_identity.h"

namespace mca {

namespace {

constexpr int kAfterFoundMs = 150;
constexpr int kBatteryPauseMs = 50;
constexpr int kAfterBatteryMs = 100;

std::string name(const Workstation& w) { return std::string(w.state.edition.instrumentName); }

// Beep, splash and the offline question; true when the operator chose to go on.
bool goOnWithoutIt(Workstation& w, int n) {
    w.op().beep();
    w.screen.showSplash(name(w) + " #" + std::to_string(n) + " not found");
    const std::string text = name(w) + " #" + std::to_string(n) + " Not Found.  Open in Offline Mode?";
    return w.op().question(text, "No Communication", kYesNo) == Answer::Yes;
}

OpenOutcome notFound(Workstation& w, int n) {
    const bool goOn = goOnWithoutIt(w, n);
    return goOn ? OpenOutcome::NotFound : OpenOutcome::EndRequested;
}

std::optional<FoundInstrument> findInstrumentN(Workstation& w, int n) {
    PortSearch search;
    search.ports = portRange(1, kFourChartSearchLastPort);
    search.highestUsable = kFourChartUsableLastPort;
    const std::string prefix = "Looking for " + name(w) + " #" + std::to_string(n) + " on COM";
    search.splashText = [prefix](int port) { return prefix + std::to_string(port); };
    return searchForInstrument(w, search);
}

// The battery (skipped in monitoring-network mode) and "N"; false when the program is to end.
bool readBatteryOrAsk(Workstation& w, int n) {
    InstrumentSession& s = w.session(n);
    const Link link{*s.port, w.platform.waiter, w.state.networkMode};
    std::optional<int> reading;
    if (!w.state.networkMode) {
        reading = readOpeningBattery(link, kBatteryPauseMs);
        if (!reading && !goOnWithoutIt(w, n)) return false;
    }
    if (reading) s.battery = BatteryReading{batteryVolts(*reading), *reading};
    s.port->write("N");
    w.platform.waiter.pause(kAfterBatteryMs);
    return true;
}

// Serial number to the HV question; NotInUse and NotFound close the port.
OpenOutcome identifyAndBringUp(Workstation& w, int n, DiscoveryHooks& hooks) {
    IdentityReading how;
    how.serialSplash = "Reading " + name(w) + " #" + std::to_string(n) + " Serial Number";
    switch (readInstrumentIdentity(w, n, hooks, how)) {
    case IdentityOutcome::Read: break;
    case IdentityOutcome::Silent: return notFound(w, n);
    case IdentityOutcome::UnreadableFirmware: return OpenOutcome::NotInUse;
    }
    const InstrumentSession& s = w.session(n);
    w.screen.splashCaption = instrumentCaption(w.state.edition, s.serialNumber, s.aliasText());
    showAliasChartTitle(w, n, hooks);
    if (!chooseDetector(w, n, hooks)) return OpenOutcome::NotInUse;
    applyDetectorSettings(w, n, hooks, true);
    const HighVoltageQuestion question{true, true};
    if (askForHighVoltage(w, n, hooks, question) == HighVoltageChoice::Abort) return OpenOutcome::NotInUse;
    return OpenOutcome::Opened;
}

// What follows an open instrument: its last files, the field-station and network extras.
void finishOpen(Workstation& w, int n, DiscoveryHooks& hooks) {
    w.screen.showSplash("Loading Files");
    hooks.loadLastFiles(w, n);
    const bool online = !w.state.offline;
    if (w.state.fieldStation) {
        w.state.presetRealTime = w.settings.acqTime;
        if (online && w.settings.autoConnectMca2) openSecondInstrument(w, hooks);
        if (online && w.settings.autoConnectMet) hooks.autoOpenMetStation(w);
        hooks.openFieldLogs(w);
        if (online) hooks.clearAndRestart(w);
    }
    if (w.state.energyCalibration == EnergyCalibrationKind::None) {
        w.screen.xAxisInEnergy = false;
        hooks.disableEnergyAxis(w);
    }
    if (w.state.networkMode && w.state.networkAcquisition != NetworkAcquisition::None) hooks.clearAndRestart(w);
}

OpenOutcome openFound(Workstation& w, int n, DiscoveryHooks& hooks) {
    w.platform.waiter.pause(kAfterFoundMs);
    w.screen.showSplash("Reading Battery Voltage");
    OpenOutcome outcome = OpenOutcome::NotFound;
    try {
        if (!readBatteryOrAsk(w, n)) {
            releaseInstrument(w, n);
            return OpenOutcome::EndRequested;
        }
        outcome = identifyAndBringUp(w, n, hooks);
    } catch (const SerialPortError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
        outcome = OpenOutcome::NotInUse;
    }
    if (outcome != OpenOutcome::Opened) {
        releaseInstrument(w, n);
        return outcome;
    }
    finishOpen(w, n, hooks);
    return outcome;
}

}  // namespace

OpenOutcome openInstrument(Workstation& w, int n, DiscoveryHooks& hooks) {
    w.session(n);   // throws for a number that is no instrument
    const DiscoveryTargetScope target(w.state, n);
    hooks.clearSpectrum(w, n);
    auto found = findInstrumentN(w, n);
    if (!found) return notFound(w, n);
    InstrumentSession& s = w.session(n);
    s.port = std::move(found->port);
    s.comNumber = found->comNumber;
    return openFound(w, n, hooks);
}

}  // namespace mca
