// The close sequence of mca.
#include "core/shutdown.h"

#include "core/errors.h"
#include "core/settings_store.h"

namespace mca {

namespace {

constexpr int kAfterStopMs = 150;
constexpr int kAfterResetMs = 250;
constexpr int kAfterCloseCommandMs = 150;
constexpr int kAfterAlarmOffMs = 150;
constexpr int kAfterAlarmsMs = 200;

void offerToSaveWork(Workstation& w, StartCloseSteps& steps) {
    if (w.state.networkMode) return;
    if (w.state.spectrumUnsaved &&
        w.op().question("Current spectrum has not been saved.  Save now?", std::string(w.state.edition.windowCaption),
                        kYesNo) == Answer::Yes) {
        steps.saveSpectrumAs(w);
    }
    if (w.state.roiSetUnsaved &&
        w.op().question("ROI set has not been saved.  Save now?", std::string(w.state.edition.windowCaption),
                        kYesNo) == Answer::Yes) {
        steps.saveRoiSet(w);
    }
}

bool confirmClose(Workstation& w) {
    if (w.state.offline || w.state.networkMode) return true;
    const std::string text = "Are you sure you want to close " + std::string(w.state.edition.shortName) + "?";
    return w.op().question(text, std::string(w.state.edition.windowCaption), kYesNo) == Answer::Yes;
}

void stopRunningAcquisition(Workstation& w, StartCloseSteps& steps) {
    if (!w.state.acquiring) return;
    steps.stopAcquisition(w);
    w.platform.waiter.pause(kAfterStopMs);
}

// Saving must not stop the close half-way: a failure is shown and the close goes on.
template <typename Action>
void saveShowingErrors(Workstation& w, Action action) {
    try {
        action();
    } catch (const FileError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
    }
}

void saveEverything(Workstation& w, StartCloseSteps& steps) {
    steps.writeBackWorkingHighVoltage(w);
    for (int n = 1; n <= kInstrumentCount; ++n) saveShowingErrors(w, [&] { steps.saveDetectorTable(w, n); });
    if (w.state.networkMode) saveShowingErrors(w, [&] { steps.writeNetworkSettings(w); });
    saveShowingErrors(w, [&] { saveSettings(w); });
}

// A port that fails while closing is past helping: it is skipped so the others still get their
// commands.
void writeIgnoringFailure(InstrumentSession& s, const std::string& bytes) {
    if (!s.open || !s.port) return;
    try {
        s.port->write(bytes);
    } catch (const SerialPortError&) {
    }
}

void sendToOpenInstruments(Workstation& w, const std::string& bytes) {
    for (InstrumentSession& s : w.sessions) writeIgnoringFailure(s, bytes);
}

void leaveInstrumentsSafe(Workstation& w, StartCloseSteps& steps) {
    Waiter& waiter = w.platform.waiter;
    sendToOpenInstruments(w, "R");
    waiter.pause(kAfterResetMs);
    sendToOpenInstruments(w, "d");
    waiter.pause(kAfterResetMs);
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (w.session(n).open) steps.setHighVoltage(w, n, 0.0);
    }
    sendToOpenInstruments(w, "v");
    waiter.pause(kAfterCloseCommandMs);
    if (!w.state.networkMode) {
        for (const char* command : {"z", "w"}) {
            writeIgnoringFailure(w.session(1), command);
            waiter.pause(kAfterAlarmOffMs);
        }
        waiter.pause(kAfterAlarmsMs);
    }
    for (InstrumentSession& s : w.sessions) {
        s.port.reset();
        s.open = false;
    }
    steps.closeMetStation(w);
}

}  // namespace

bool closeWorkstation(Workstation& w, StartCloseSteps& steps) {
    offerToSaveWork(w, steps);
    if (!confirmClose(w)) return false;
    stopRunningAcquisition(w, steps);
    saveEverything(w, steps);
    if (!w.state.offline) leaveInstrumentsSafe(w, steps);
    return true;
}

}  // namespace mca
