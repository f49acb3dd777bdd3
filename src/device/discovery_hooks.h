// What opening an instrument asks of the subsystems around it: the spectrum, the detector
// database and its dialog, the hardware settings and the high voltage, the screen areas the core's
// ScreenState has no place for, and the field-station and network extras. Each does nothing here;
// the program supplies the real ones, and tests record the calls.
#pragma once

#include "core/app_state.h"
#include "core/start_close_steps.h"

#include <string>

namespace mca {

class Workstation;

class DiscoveryHooks {
public:
    virtual ~DiscoveryHooks() = default;

    // Spectrum and detector
    virtual void clearSpectrum(Workstation&, int /*n*/) {}
    virtual void loadDetectorTable(Workstation&, int /*n*/) {}
    // The detector dialog; false when the operator cancelled it.
    virtual bool selectDetector(Workstation&, int /*n*/) { return true; }

    // Hardware settings. The opening sequence makes the pauses before each setting itself.
    virtual void applySetting(Workstation&, int /*n*/, SettingStep) {}
    // Sets instrument n's high voltage, the wait for it included.
    virtual void setHighVoltage(Workstation&, int /*n*/, double /*volts*/) {}

    // Screen
    virtual void showChartTitle(Workstation&, int /*n*/, const std::string& /*title*/) {}
    // Panel 1 of instrument n's status bar (the second upper status bar for MCA 2).
    virtual void showSerialNumber(Workstation&, int /*n*/, const std::string& /*text*/) {}
    // "On" and the voltage, or "Off" and "0 V".
    virtual void showHighVoltageStatus(Workstation&, int /*n*/, const std::string& /*status*/,
                                       const std::string& /*voltsText*/) {}
    // The second status bar and the hardware-panel choice "MCA 1" / "MCA 2".
    virtual void showSecondInstrumentControls(Workstation&) {}
    virtual void showTwoInstrumentView(Workstation&, TwoInstrumentView) {}
    // No energy calibration: the energy-axis menu items are disabled.
    virtual void disableEnergyAxis(Workstation&) {}

    // After instrument n of the four-chart layout is open
    virtual void loadLastFiles(Workstation&, int /*n*/) {}
    virtual void autoOpenMetStation(Workstation&) {}
    virtual void openFieldLogs(Workstation&) {}
    virtual void clearAndRestart(Workstation&) {}
};

}  // namespace mca
