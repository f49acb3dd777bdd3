// What the acquisition engine asks of the subsystems built on top of it: charts, saving, the
// monitoring-network poll, the field station, sequential spectra and gain stabilization. Each
// does nothing here; the program supplies the real ones as those subsystems exist.
#pragma once

#include <filesystem>

namespace mca {

class Workstation;

class AcquisitionHooks {
public:
    virtual ~AcquisitionHooks() = default;

    virtual void redrawCharts(Workstation&) {}
    virtual void refreshCursorReadout(Workstation&) {}
    // Clear also empties what other subsystems derived from the spectrum: peak markers, the
    // gain-stabilization log, the ROI activity table, field-station averages.
    virtual void spectrumCleared(Workstation&) {}
    // "Save Complete Spectrum on End of Acquisition" and the like: MCA 1's spectrum to `file`.
    virtual void saveSpectrum(Workstation&, const std::filesystem::path& /*file*/) {}
    virtual void showDoneWindow(Workstation&) {}

    // Monitoring-network mode
    virtual void pollNetworkInstrument(Workstation&) {}
    virtual void saveNetworkSpectrum(Workstation&) {}

    // Field station
    virtual void fieldStationTick(Workstation&, double /*elapsedSeconds*/) {}
    virtual void fieldStationStopped(Workstation&) {}
    virtual void fieldStationEndOfAcquisition(Workstation&) {}

    // Multiple sequential spectra
    virtual bool sequentialSpectraActive(Workstation&) { return false; }
    virtual void sequentialSpectraTick(Workstation&, bool /*endedByPreset*/) {}

    // Gain stabilization, every tick while it is applied; `tick` counts from 1 after Clear.
    virtual void stabilizeGain(Workstation&, int /*tick*/) {}
};

}  // namespace mca
