// Detector, settings and high voltage of an instrument being opened.
#include "device/discovery_bring_up.h"

#include "core/setting_sequence.h"

#include "core/number_text.h"
#include "device/protocol.h"

#include <utility>

namespace mca {

namespace {


void showHighVoltage(Workstation& w, int n, DiscoveryHooks& hooks, bool on, double volts) {
    const std::string status = on ? "On" : "Off";
    const std::string text = on ? formatFull(volts) + " V" : "0 V";
    if (n == 1) {
        w.screen.hvStatus = status;
        w.screen.hvText = text;
        w.screen.hvMenuCaption = on ? "Disable High &Voltage" : "Enable High &Voltage";
    }
    hooks.showHighVoltageStatus(w, n, status, text);
}

bool unattendedYes(const Workstation& w, const HighVoltageQuestion& how) {
    return how.yesWhenUnattended && w.state.edition.kind == EditionKind::Vora &&
           w.state.networkAcquisition != NetworkAcquisition::None;
}

}  // namespace

bool chooseDetector(Workstation& w, int n, DiscoveryHooks& hooks) {
    w.screen.showSplash("Obtaining Detector Information");
    hooks.loadDetectorTable(w, n);
    return hooks.selectDetector(w, n);
}

void applyDetectorSettings(Workstation& w, int n, DiscoveryHooks& hooks, bool alarmsOffFirst) {
    InstrumentSession& s = w.session(n);
    if (alarmsOffFirst && s.port) {
        const Link link{*s.port, w.platform.waiter, w.state.networkMode};
        sendAlarmOutput(link, 0, false);
        sendAlarmOutput(link, 1, false);
    }
    sendSettingsInOrder(w, [&](SettingStep step) { hooks.applySetting(w, n, step); });
}

std::string highVoltageQuestionText(const Workstation& w, int n, bool withAlias) {
    const InstrumentSession& s = w.session(n);
    return instrumentCaption(w.state.edition, " " + s.serialNumber, withAlias ? s.aliasText() : std::string{}) +
           " Found on COM " + std::to_string(s.comNumber) + ".\rEnable High Voltage to " +
           formatFull(s.settings.highVoltage) + " volts?";
}

HighVoltageChoice askForHighVoltage(Workstation& w, int n, DiscoveryHooks& hooks, const HighVoltageQuestion& how) {
    w.screen.showSplash("Setting High Voltage");
    const bool withAlias = how.withAlias && w.state.edition.kind == EditionKind::Vora;
    const Answer a = unattendedYes(w, how)
                         ? Answer::Yes
                         : w.op().question(highVoltageQuestionText(w, n, withAlias),
                                           std::string(w.state.edition.windowCaption), kYesNoAbort);
    if (a == Answer::Abort) return HighVoltageChoice::Abort;
    const double volts = w.session(n).settings.highVoltage;
    if (a == Answer::Yes) hooks.setHighVoltage(w, n, volts);
    showHighVoltage(w, n, hooks, a == Answer::Yes, volts);
    return a == Answer::Yes ? HighVoltageChoice::On : HighVoltageChoice::Off;
}

}  // namespace mca
