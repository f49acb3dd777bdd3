// What the fine-tune tool asks of the windows around it: the hardware panel, the main window, the
// spectrum view and saving. Each does nothing here; the program supplies the real ones.
#pragma once

namespace mca {

class Workstation;

class FineTuneHooks {
public:
    virtual ~FineTuneHooks() = default;

    virtual void showHardwarePanel(Workstation&) {}
    // The main window is disabled while the tool is open.
    virtual void setMainWindowEnabled(Workstation&, bool /*enabled*/) {}
    // "Save Spectrum as File...", when the operator wants the unsaved spectrum kept.
    virtual void saveSpectrumAs(Workstation&) {}
    virtual void showFullSpectrum(Workstation&) {}
    // The tool's window goes away.
    virtual void closeWindow(Workstation&) {}
};

}  // namespace mca
