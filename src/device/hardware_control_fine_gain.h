// Fine tuning's and gain stabilization's way to an instrument's fine gain: the hardware panel's
// "Set Fi&ne", so the panel, the session and the detector record all follow each step.
#pragma once

#include "device/fine_tune_gain_control.h"
#include "device/hardware_control.h"

namespace mca {

class PanelFineGainControl : public FineGainControl {
public:
    explicit PanelFineGainControl(HardwareControl& control) : m_control(control) {}

    bool setFineGain(Workstation&, int n, int position) override { return m_control.setFineGainOf(n, position); }
    void showPendingFineGain(Workstation&, int n, int position) override {
        m_control.showPendingFineGain(n, position);
    }

private:
    HardwareControl& m_control;
};

}  // namespace mca
