// The application's wiring: which subsystem answers each step of start, close and acquisition.
#include "app/application.h"

#include "calibration/detector_add_dialog.h"
#include "calibration/detector_change.h"
#include "calibration/detector_select_dialog.h"
#include "calibration/detector_use_hooks.h"
#include "core/errors.h"
#include "core/shutdown.h"
#include "core/startup.h"
#include "device/alias_command.h"
#include "device/device_steps.h"
#include "device/discovery_four_chart.h"
#include "device/discovery_second.h"
#include "library/load_library.h"
#include "spectrumio/spectrum_file_loader.h"
#include "spectrumio/spectrum_save_command.h"

namespace mca {

// What the acquisition engine asks of the rest of the application.
class Application::Hooks : public AcquisitionHooks {
public:
    explicit Hooks(Application& app) : m_app(app) {}
    void saveSpectrum(Workstation& w, const std::filesystem::path& file) override {
        try {
            m_app.saveSpectrum(1, file);
        } catch (const FileError& e) {
            w.op().message(e.what(), {}, MessageKind::Error);
        }
    }
    void showDoneWindow(Workstation&) override { m_app.m_frontEnd.showDoneWindow(); }
    void redrawCharts(Workstation&) override { m_app.m_frontEnd.redrawCharts(); }
    void refreshCursorReadout(Workstation&) override { m_app.m_frontEnd.refreshCursorReadout(); }
    void stabilizeGain(Workstation& w, int tick) override { m_app.m_stabilization->evaluateStabilization(w, tick); }
    void spectrumCleared(Workstation& w) override {
        m_app.m_stabilization->spectrumCleared(w);
        m_app.m_frontEnd.spectrumCleared();
    }

private:
    Application& m_app;
};

// What "Use this detector" asks of the rest of the application.
class Application::DetectorHooks : public DetectorUseHooks {
public:
    explicit DetectorHooks(Application& app) : m_app(app) {}
    void loadEnergyCalibration(Workstation&, const DetectorRecord& record) override {
        m_app.m_energy = EnergyCalibration{};
        RecomputeEnergyCalibration(m_app.m_energy, record);
        m_app.m_workstation.state.energyCalibration = energyCalibrationKind(m_app.m_energy);
    }
    void stopAcquisition(Workstation&) override { m_app.m_engine->stopAcquisition(); }
    void clearSpectrum(Workstation&, int) override { m_app.m_engine->clearSpectrum(); }
    void showInstrumentDisplay(Workstation&, int n) override { m_app.m_hardware->showInstrument(n); }
    void applyChannelCount(Workstation&, int n, ResolutionMode mode) override { m_app.m_hardware->setModeOf(n, mode); }
    void sendSettings(Workstation&, int n) override { m_app.m_hardware->sendDetectorSettings(n); }
    void sendHighVoltage(Workstation&, int n) override { m_app.m_hardware->sendDetectorHighVoltage(n); }
    void switchHighVoltageOff(Workstation&, int n) override { m_app.m_hardware->switchHighVoltageOff(n); }
    void rampHighVoltageDown(Workstation&, int n) override { m_app.m_hardware->rampHighVoltageDown(n); }

private:
    Application& m_app;
};

// What opening an instrument asks of the rest of the application.
class Application::OpenHooks : public DiscoveryHooks {
public:
    explicit OpenHooks(Application& app) : m_app(app) {}
    void clearSpectrum(Workstation&, int) override { m_app.m_engine->clearSpectrum(); }
    void loadDetectorTable(Workstation& w, int n) override {
        try {
            LoadDetectorDatabase(w, m_app.m_detectors, n);
        } catch (const FileError& e) {
            w.op().message(e.what(), {}, MessageKind::Error);
        }
    }
    bool selectDetector(Workstation&, int n) override { return m_app.selectDetector(n, true); }
    void applySetting(Workstation&, int n, SettingStep step) override { m_app.m_hardware->applySetting(n, step); }
    void setHighVoltage(Workstation&, int n, double volts) override {
        m_app.m_hardware->setInstrumentHighVoltage(n, volts);
    }
    void clearAndRestart(Workstation&) override { m_app.m_engine->clearAndRestart(); }

private:
    Application& m_app;
};

// The steps of start and close, answered by the subsystems.
class Application::Steps : public DeviceSteps {
public:
    explicit Steps(Application& app)
        : DeviceSteps(*app.m_engine, *app.m_hardware, *app.m_openHooks), m_app(app) {}

    void loadLibrary(Workstation& w, const std::filesystem::path& file) override {
        loadLibraryFile(w, m_app.m_library, file);
    }
    void resetFineGainExtremes(Workstation& w) override { m_app.m_stabilization->spectrumCleared(w); }
    void loadDetectorTable(Workstation& w, int n) override { m_app.m_openHooks->loadDetectorTable(w, n); }
    bool selectDetector(Workstation&, int n) override { return m_app.selectDetector(n, true); }
    void loadSpectrumFile(Workstation&, const std::filesystem::path& file) override { m_app.loadSpectrum(1, file); }
    void saveSpectrumAs(Workstation&) override { m_app.saveSpectrumAs(); }
    void saveDetectorTable(Workstation& w, int n) override {
        saveDetectorDatabaseAtClose(w, m_app.m_detectors, n);
    }

private:
    Application& m_app;
};

Application::Application(Platform platform, std::string title, std::filesystem::path folder, FrontEnd& frontEnd)
    : m_frontEnd(frontEnd),
      m_workstation(platform, std::move(title), std::move(folder)),
      m_ramp(platform.scheduler, platform.waiter) {
    m_hooks = std::make_unique<Hooks>(*this);
    m_engine = std::make_unique<AcquisitionEngine>(m_workstation, *m_hooks);
    m_hardware = std::make_unique<HardwareControl>(m_workstation, *m_engine, m_detectors, m_ramp);
    m_fineGain = std::make_unique<PanelFineGainControl>(*m_hardware);
    m_stabilization = std::make_unique<GainStabilization>(*m_fineGain);
    m_detectorHooks = std::make_unique<DetectorHooks>(*this);
    m_openHooks = std::make_unique<OpenHooks>(*this);
    m_steps = std::make_unique<Steps>(*this);
}

Application::~Application() = default;

StartCloseSteps& Application::steps() { return *m_steps; }

bool Application::start(const std::vector<std::string>& arguments) {
    return startWorkstation(m_workstation, arguments, *m_steps) == StartOutcome::Running;
}

bool Application::close() { return closeWorkstation(m_workstation, *m_steps); }

SpectrumFileSources Application::sourcesFor(int n) {
    const DetectorRecord* second = usesTwoInstrumentLayout(m_workstation, n) ? &SelectedRecord(m_detectors, 2) : nullptr;
    return SpectrumFileSources{m_workstation, n,  SelectedRecord(m_detectors, n), second, m_energy, {}, {}, {}, {}};
}

void Application::saveSpectrum(int n, const std::filesystem::path& path) {
    SpectrumFileSources sources = sourcesFor(n);
    SaveSpectrumFile(sources, path);
}

bool Application::loadSpectrum(int n, const std::filesystem::path& path) {
    SpectrumLoadHooks hooks;
    DetectorDatabase& database = m_detectors.database(n);
    SpectrumLoadTarget target{m_workstation,
                              n,
                              SelectedRecord(m_detectors, n),
                              database.selectedIndex(),
                              [&database] { database.clearAllFields(); },
                              m_energy,
                              hooks,
                              panelTextsOf(m_workstation.session(n))};
    return LoadSpectrumFile(target, path);
}

void Application::saveSpectrumAs() {
    SaveAsActions actions;
    actions.save = [this](int n, const std::filesystem::path& p) { saveSpectrum(n, p); };
    actions.stopAcquisition = [this] { m_engine->stopAcquisition(); };
    actions.startAcquisition = [this] { m_engine->startAcquisition(); };
    saveSpectrumAsFile(m_workstation, actions);
}

OpenOutcome Application::openSecondInstrument() {
    const OpenOutcome outcome = mca::openSecondInstrument(m_workstation, *m_openHooks);
    m_frontEnd.redrawCharts();
    return outcome;
}

OpenOutcome Application::openInstrument(int n) {
    const OpenOutcome outcome = mca::openInstrument(m_workstation, n, *m_openHooks);
    m_frontEnd.redrawCharts();
    return outcome;
}

bool Application::setAlias(int n) { return mca::setAlias(m_workstation, n, *m_openHooks); }

bool Application::loadSpectrumFromMenu(int n) {
    if (m_workstation.state.acquiring) m_engine->stopAcquisition();
    FileChoice choice{loadDialogTitle(n), m_workstation.folders.spectra.string(), {}, kSpectrumOpenFilter, "usf"};
    const auto path = m_workstation.op().chooseOpenFile(choice);
    if (!path) return false;
    const bool loaded = loadSpectrum(n, *path);
    m_frontEnd.redrawCharts();
    return loaded;
}

void Application::changeDetector() {
    DetectorSelectDialog dialog = beginDetectorChange(m_workstation, m_detectors, *m_detectorHooks);
    m_frontEnd.runDetectorSelect(dialog);
    m_frontEnd.redrawCharts();
}

bool Application::selectDetector(int n, bool startingUp) {
    DetectorSelectDialog dialog(m_workstation, m_detectors, *m_detectorHooks, n, DetectorUseOptions{startingUp, false});
    switch (dialog.open()) {
        case SelectDialogStart::NeedsDetector: {
            DetectorAddDialog add(m_workstation, m_detectors, n);
            m_frontEnd.runDetectorAdd(add);
            if (!m_detectors.database(n).hasDetector()) return dialog.cancel() != SelectDialogEnd::EndProgram;
            dialog.chooseListItem(0);
            return m_frontEnd.runDetectorSelect(dialog) != SelectDialogEnd::EndProgram;
        }
        case SelectDialogStart::SelectsItself:
            return dialog.useAndClose() != SelectDialogEnd::EndProgram;
        case SelectDialogStart::Shown:
            break;
    }
    return m_frontEnd.runDetectorSelect(dialog) != SelectDialogEnd::EndProgram;
}

}  // namespace mca
