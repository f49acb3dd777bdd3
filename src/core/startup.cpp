// The start sequence of mca.
#include "core/startup.h"

#include "core/errors.h"
#include "core/number_text.h"
#include "core/setting_sequence.h"
#include "core/settings_store.h"

#include <filesystem>

namespace mca {

namespace {

constexpr int kNetworkAlarmPauseMs = 250;
constexpr int kNetworkStartPauseMs = 200;

std::string name(const Workstation& w) { return std::string(w.state.edition.instrumentName); }

void applyCommandLine(Workstation& w, const std::vector<std::string>& arguments) {
    CommandLine& cl = w.commandLine;
    cl = parseCommandLine(arguments, w.op());
    AppState& st = w.state;
    st.offline = cl.offline;
    st.quadLayout = cl.quad;
    st.networkMode = cl.networkMode;
    st.plainFileHeader = cl.plainFileHeader;
    st.forcedComPort = cl.comPort;
    st.networkAcquisition = cl.networkAcquisition;
    st.networkPrefix = cl.networkPrefix;

    ScreenState& sc = w.screen;
    if (cl.sizeGiven) {
        sc.maximised = false;
        sc.size = cl.size;
    }
    sc.position = cl.position;
    sc.quadControlsVisible = cl.quad;
    sc.advancedCommandsVisible = !cl.simplified;
    sc.networkItemsHidden = cl.networkMode;
    sc.elapsedTimeYellow = cl.networkMode;
}

void fixEdition(Workstation& w, const Edition& e) {
    w.state.edition = e;
    w.state.fieldStation = e.fieldStation;
    w.screen.caption = std::string(e.windowCaption);
    w.screen.applicationTitle = std::string(e.applicationTitle);
    w.screen.maximised = true;
    if (e.fieldStation) {
        createFieldStationFolders(w.folders);
        w.state.presetRealTimeOn = true;
        w.screen.presetRealTimeReadOnly = true;
        w.screen.presetCountsVisible = false;
        w.screen.metPanelVisible = true;
    }
}

void showOffline(Workstation& w) {
    ScreenState& sc = w.screen;
    w.state.offline = true;
    sc.caption = std::string(w.state.edition.windowCaption) + " (Offline)";
    sc.hvField = "0.00";
    sc.thresholdField = "20";
    sc.hardwareControlsEnabled = false;
    sc.hvStatus = "Off";
    sc.connectionStatus = "Offline";
}

// MCA 1 was not found or could not be used: offline, or the end when the operator says No.
bool askForOfflineMode(Workstation& w) {
    w.platform.op.beep();
    w.screen.showSplash(name(w) + " not found");
    const Answer a = w.op().question(name(w) + " Not Found.  Open in Offline Mode?", "No Communication", kYesNo);
    if (a != Answer::Yes) return false;
    w.state.offline = true;
    return true;
}

// Searches for MCA 1; false when the operator chose to end rather than go offline.
bool findFirstInstrument(Workstation& w, StartCloseSteps& steps) {
    if (w.state.offline || steps.findInstrument(w)) return true;
    return askForOfflineMode(w);
}

bool identifyFirstInstrument(Workstation& w, StartCloseSteps& steps) {
    InstrumentSession& s = w.session(1);
    if (w.state.networkMode) {
        s.serialNumber = "RadNet";
    } else {
        w.screen.showSplash("Reading " + name(w) + " Serial Number");
    }
    if (!steps.readIdentity(w)) return false;
    w.screen.splashCaption = instrumentCaption(w.state.edition, s.serialNumber, s.aliasText());
    return true;
}

void writeToFirstInstrument(Workstation& w, const std::string& bytes) {
    InstrumentSession& s = w.session(1);
    if (s.port) s.port->write(bytes);
}

void sendDetectorSettings(Workstation& w, StartCloseSteps& steps) {
    for (const char* command : {"z", "w"}) {
        writeToFirstInstrument(w, command);
        if (w.state.networkMode) w.platform.waiter.pause(kNetworkAlarmPauseMs);
    }
    sendSettingsInOrder(w, [&](SettingStep step) { steps.applySetting(w, step); });
}

// False when the operator pressed Abort.
bool askForHighVoltage(Workstation& w, StartCloseSteps& steps) {
    w.screen.showSplash("Setting High Voltage");
    const double volts = w.session(1).settings.highVoltage;
    const bool skipQuestion =
        w.state.edition.kind == EditionKind::Vora && w.state.networkAcquisition != NetworkAcquisition::None;
    const Answer a = skipQuestion ? Answer::Yes
                                  : w.op().question(highVoltageQuestion(w, formatFull(volts)),
                                                    std::string(w.state.edition.windowCaption), kYesNoAbort);
    if (a == Answer::Abort) return false;
    if (a == Answer::Yes) {
        steps.setHighVoltage(w, 1, volts);
        w.screen.hvStatus = "On";
        w.screen.hvText = formatFull(volts) + " V";
        w.screen.hvMenuCaption = "Disable High &Voltage";
    } else {
        w.screen.hvStatus = "Off";
        w.screen.hvText = "0 V";
        w.screen.hvMenuCaption = "Enable High &Voltage";
    }
    return true;
}

// Detector, settings and high voltage of an identified instrument; false when the process must end.
bool bringUpFirstInstrument(Workstation& w, StartCloseSteps& steps) {
    w.screen.showSplash("Obtaining Detector Information");
    steps.loadDetectorTable(w, 1);
    if (!steps.selectDetector(w, 1)) return false;
    sendDetectorSettings(w, steps);
    return askForHighVoltage(w, steps);
}

void applyAliasAndMode(Workstation& w) {
    const std::string& alias = w.session(1).alias;
    if (!alias.empty()) {
        w.screen.caption = aliasCaption(w.state.edition, alias);
        if (w.state.quadLayout) w.screen.chart1Title = "MCA 1: " + alias;
        else w.screen.applicationTitle = alias;
    }
    if (w.state.networkMode) w.screen.caption = "VORA-II MCA";
}

void finishStart(Workstation& w, StartCloseSteps& steps) {
    w.screen.showSplash("Loading Files");
    steps.loadLastFiles(w);
    steps.clearSpectrum(w);
    w.screen.indicator = "Spectrum Clear";
    if (!w.state.offline) steps.startBatteryPoll(w);
    w.screen.xAxisInEnergy =
        w.state.energyCalibration != EnergyCalibrationKind::None && w.settings.xAxisAsEnergy;
    if (!w.commandLine.spectrumFile.empty()) steps.loadSpectrumFile(w, w.commandLine.spectrumFile);
    applyAliasAndMode(w);
    if (w.state.networkMode) steps.readNetworkSettings(w);
    if (w.state.fieldStation) {
        steps.openFieldStation(w);
        if (!w.state.offline && w.settings.autoStart) {
            steps.clearSpectrum(w);
            steps.takeStartCapture(w);
            steps.startAcquisition(w);
        }
    }
    if (w.state.networkAcquisition != NetworkAcquisition::None) {
        steps.clearSpectrum(w);
        w.platform.waiter.pause(kNetworkStartPauseMs);
        steps.startAcquisition(w);
    }
}

StartOutcome runStart(Workstation& w, const std::vector<std::string>& arguments, StartCloseSteps& steps) {
    const auto edition = editionFromTitle(w.applicationTitle);
    if (!edition) {
        w.op().message(std::string(kInvalidTitleMessage), {}, MessageKind::Error);
        return StartOutcome::Ended;
    }
    fixEdition(w, *edition);
    applyCommandLine(w, arguments);
    w.state.programVersion = programVersion();
    w.screen.splashVersion = "Interface Version " + w.state.programVersion + " BETA";
    w.screen.showSplash("Loading Application Settings");
    createApplicationFolders(w.folders);
    loadSettings(w);

    w.screen.showSplash("Loading Library File");
    const auto library = chooseLibraryFile(w);
    if (!library) return StartOutcome::Ended;
    steps.loadLibrary(w, *library);

    for (InstrumentSession& s : w.sessions) s.spectrum.clear();
    steps.resetFineGainExtremes(w);
    if (!findFirstInstrument(w, steps)) return StartOutcome::Ended;
    if (!w.state.offline && !identifyFirstInstrument(w, steps) && !askForOfflineMode(w)) return StartOutcome::Ended;
    if (w.state.offline) showOffline(w);
    else if (!bringUpFirstInstrument(w, steps)) return StartOutcome::Ended;
    if (w.state.fieldStation) w.state.presetRealTime = w.settings.acqTime;

    finishStart(w, steps);
    return StartOutcome::Running;
}

}  // namespace

std::optional<std::filesystem::path> chooseLibraryFile(Workstation& w) {
    const std::filesystem::path chosen = w.folders.library / w.settings.lastLibrary;
    if (std::filesystem::exists(chosen)) return chosen;
    const Edition& e = w.state.edition;
    const std::string fallback(e.defaultLibrary);
    const std::string head = std::string(e.shortName) + " Library File Missing!  ";
    w.op().message(head + "Attempting to load default library (" + fallback + ")", {}, MessageKind::Warning);
    const std::filesystem::path def = w.folders.library / fallback;
    if (std::filesystem::exists(def)) return def;
    w.op().message(head + "Default library (" + fallback + ") is missing. Application will now close.", {},
                   MessageKind::Error);
    return std::nullopt;
}

std::string highVoltageQuestion(const Workstation& w, const std::string& detectorVolts) {
    const InstrumentSession& s = w.session(1);
    const bool withAlias = w.state.edition.kind == EditionKind::Vora;
    return instrumentCaption(w.state.edition, " " + s.serialNumber, withAlias ? s.aliasText() : std::string{}) +
           " Found on COM " + std::to_string(s.comNumber) + ".\rEnable High Voltage to " + detectorVolts +
           " volts?";
}

std::string programVersion() {
    return std::to_string(MCA_VERSION_MAJOR) + "." + std::to_string(MCA_VERSION_MINOR) + "." +
           std::to_string(MCA_VERSION_PATCH);
}

std::string fourPartVersion() { return programVersion() + ".0"; }

StartOutcome startWorkstation(Workstation& w, const std::vector<std::string>& arguments, StartCloseSteps& steps) {
    try {
        const StartOutcome outcome = runStart(w, arguments, steps);
        w.state.hardwareTarget = kScreenDecides;
        return outcome;
    } catch (const StartupError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
        return StartOutcome::Ended;
    }
}

}  // namespace mca
