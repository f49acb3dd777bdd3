// What choosing and changing a detector asks of the subsystems around it: the hardware panel and
// the instrument commands, the status bar, the resolution window, the ROI tables and the energy
// calibration. Each does nothing here; the program supplies the real ones as those subsystems
// exist, and tests record the calls.
#pragma once

#include "core/hardware_settings.h"

#include <string>

namespace mca {

class Workstation;
struct DetectorRecord;

class DetectorUseHooks {
public:
    virtual ~DetectorUseHooks() = default;

    // "Use this detector": the hardware panel's entries for instrument n. Nothing is sent yet.
    virtual void showInstrumentDisplay(Workstation&, int /*n*/) {}
    virtual void applyInput(Workstation&, int /*n*/, int /*inputCode*/) {}
    // The HV entry; its Set button stays disabled until the operator enters a new value.
    virtual void applyHighVoltageEntry(Workstation&, int /*n*/, double /*volts*/) {}
    // The HV entry's upper limit and the not-to-exceed entry.
    virtual void applyHighVoltageLimit(Workstation&, int /*n*/, double /*notToExceedVolts*/) {}
    virtual void applyCoarseGain(Workstation&, int /*n*/, int /*code*/) {}
    virtual void applyFineGain(Workstation&, int /*n*/, int /*position*/) {}
    virtual void applyShapingTime(Workstation&, int /*n*/, int /*code*/) {}
    virtual void applyThreshold(Workstation&, int /*n*/, int /*millivolts*/) {}
    // Through the same commands as the channel-mode buttons.
    virtual void applyChannelCount(Workstation&, int /*n*/, ResolutionMode) {}
    // The resolution window's two multipliers (fields 44 and 45, never empty here).
    virtual void applyResolutionMultipliers(Workstation&, const std::string& /*sqrtToFwhm*/,
                                            const std::string& /*fwhmToPeak*/) {}
    virtual void applyRampOptions(Workstation&, int /*n*/, bool /*ramp*/, bool /*zeroWhenInactive*/) {}
    // Input, coarse gain, fine gain, shaping time and threshold, in that order.
    virtual void sendSettings(Workstation&, int /*n*/) {}
    virtual void sendHighVoltage(Workstation&, int /*n*/) {}

    // MCA 1 only
    virtual void showDetectorInStatusBar(Workstation&, const std::string& /*serial*/,
                                         const std::string& /*description*/) {}
    // Marks the ROI efficiency calibration not done and empties the ROI set, ROI efficiency and
    // ROI activity tables and their names.
    virtual void clearRoiTables(Workstation&) {}
    virtual void loadEnergyCalibration(Workstation&, const DetectorRecord&) {}
    // Rebuilds the Detector Status window's text when it is open.
    virtual void refreshDetectorStatus(Workstation&) {}

    // Select/Change
    virtual void stopAcquisition(Workstation&) {}
    virtual void stopHousekeepingTimer(Workstation&) {}
    // Sets instrument n's HV entry to 0 and sends the high-voltage-off sequence.
    virtual void switchHighVoltageOff(Workstation&, int /*n*/) {}
    // The "High Voltage Ramp" window down to 0 V; it records 0 as the previous HV.
    virtual void rampHighVoltageDown(Workstation&, int /*n*/) {}
    virtual void clearSpectrum(Workstation&, int /*n*/) {}
};

}  // namespace mca
