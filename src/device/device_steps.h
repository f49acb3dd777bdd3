// The start and close steps the device layer provides: finding MCA 1, the high voltage, and the
// engine's Start, Stop, Clear and battery poll.
#pragma once

#include "core/start_close_steps.h"
#include "device/acquisition_engine.h"

namespace mca {

class DeviceSteps : public StartCloseSteps {
public:
    explicit DeviceSteps(AcquisitionEngine& engine) : m_engine(engine) {}

    // Tries the -COM port, or every port the provider lists (COM1 to COM399, in order) until an
    // instrument answers; one found above COM197 does not count.
    bool findInstrument(Workstation& w) override;
    void setHighVoltage(Workstation& w, int instrument, double volts) override;
    void startBatteryPoll(Workstation&) override { m_engine.startIdlePoll(); }
    void clearSpectrum(Workstation&) override { m_engine.clearSpectrum(); }
    void startAcquisition(Workstation&) override { m_engine.startAcquisition(); }
    void stopAcquisition(Workstation&) override { m_engine.stopAcquisition(); }

private:
    AcquisitionEngine& m_engine;
};

}  // namespace mca
