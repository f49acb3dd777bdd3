// The start and close steps the device layer answers: finding and identifying MCA 1, the detector
// settings and the high voltage with its wait, and the engine's Start, Stop, Clear and battery
// poll.
#pragma once

#include "core/start_close_steps.h"
#include "device/acquisition_engine.h"
#include "device/discovery_hooks.h"
#include "device/hardware_control.h"

namespace mca {

class DeviceSteps : public StartCloseSteps {
public:
    // Every reference must outlive the steps.
    DeviceSteps(AcquisitionEngine& engine, HardwareControl& control, DiscoveryHooks& discovery)
        : m_engine(engine), m_control(control), m_discovery(discovery) {}

    bool findInstrument(Workstation& w) override;
    bool readIdentity(Workstation& w) override;
    void applySetting(Workstation&, SettingStep step) override { m_control.applySetting(1, step); }
    void setHighVoltage(Workstation&, int instrument, double volts) override {
        m_control.setInstrumentHighVoltage(instrument, volts);
    }
    void writeBackWorkingHighVoltage(Workstation&) override { m_control.writeBackWorkingHighVoltage(1); }
    void startBatteryPoll(Workstation&) override { m_engine.startIdlePoll(); }
    void clearSpectrum(Workstation&) override { m_engine.clearSpectrum(); }
    void startAcquisition(Workstation&) override { m_engine.startAcquisition(); }
    void stopAcquisition(Workstation&) override { m_engine.stopAcquisition(); }

private:
    AcquisitionEngine& m_engine;
    HardwareControl& m_control;
    DiscoveryHooks& m_discovery;
};

}  // namespace mca
