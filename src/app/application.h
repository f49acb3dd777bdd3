// The application: the workstation's state together with every subsystem built on it, wired into
// the start and close sequences and the acquisition. The window program and the terminal front
// each own one and add only what is seen.
#pragma once

#include "app/front_end.h"
#include "calibration/detector_databases.h"
#include "calibration/energy_calibration.h"
#include "core/start_close_steps.h"
#include "core/workstation.h"
#include "device/acquisition_engine.h"
#include "device/discovery_hooks.h"
#include "device/discovery_outcome.h"
#include "device/gain_stabilization.h"
#include "device/hardware_control.h"
#include "device/hardware_control_fine_gain.h"
#include "device/hv_ramp.h"
#include "library/nuclide_library.h"
#include "spectrumio/spectrum_file_writer.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace mca {

class Application {
public:
    Application(Platform platform, std::string applicationTitle, std::filesystem::path applicationFolder,
                FrontEnd& frontEnd);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The start sequence; Ended means the process must end now.
    bool start(const std::vector<std::string>& arguments);
    // The close sequence; false when the operator cancelled.
    bool close();

    // Saves instrument n's spectrum file (throws FileError) and loads one into instrument n.
    void saveSpectrum(int instrument, const std::filesystem::path& path);
    bool loadSpectrum(int instrument, const std::filesystem::path& path);
    // "Save Spectrum as File...".
    void saveSpectrumAs();
    // "Load Spectrum to Live..." and its siblings for MCA 2 to 4: stops a running acquisition,
    // asks for a file in Spectra/ and loads it into instrument n; false when cancelled or refused.
    bool loadSpectrumFromMenu(int instrument);

    // "Open Second MCA...", "Open MCA #n..." (four-chart layout) and "Set Alias for MCA #n...".
    OpenOutcome openSecondInstrument();
    OpenOutcome openInstrument(int instrument);
    bool setAlias(int instrument);

    // "&Select/Change...": the high voltage off and down, then the Select Detector dialog.
    void changeDetector();

    // Runs the Select Detector dialog for instrument n; false when cancelled during start-up.
    bool selectDetector(int instrument, bool startingUp);

    Workstation& workstation() { return m_workstation; }
    AcquisitionEngine& engine() { return *m_engine; }
    DetectorDatabases& detectors() { return m_detectors; }
    EnergyCalibration& energyCalibration() { return m_energy; }
    HardwareControl& hardware() { return *m_hardware; }
    HvRamp& ramp() { return m_ramp; }
    GainStabilization& stabilization() { return *m_stabilization; }
    FineGainControl& fineGainControl() { return *m_fineGain; }
    NuclideLibrary& library() { return m_library; }
    StartCloseSteps& steps();

private:
    class Steps;
    class Hooks;
    class DetectorHooks;
    class OpenHooks;
    SpectrumFileSources sourcesFor(int instrument);

    FrontEnd& m_frontEnd;
    Workstation m_workstation;
    DetectorDatabases m_detectors;
    EnergyCalibration m_energy;
    NuclideLibrary m_library;
    HvRamp m_ramp;
    std::unique_ptr<Hooks> m_hooks;
    std::unique_ptr<AcquisitionEngine> m_engine;
    std::unique_ptr<HardwareControl> m_hardware;
    std::unique_ptr<PanelFineGainControl> m_fineGain;
    std::unique_ptr<GainStabilization> m_stabilization;
    std::unique_ptr<DetectorHooks> m_detectorHooks;
    std::unique_ptr<OpenHooks> m_openHooks;
    std::unique_ptr<Steps> m_steps;
};

}  // namespace mca
