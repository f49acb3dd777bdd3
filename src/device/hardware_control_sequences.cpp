// The hardware steps of the start, open and detector sequences: a detector's settings sent one
// by one from the instrument's cached settings.
#include "device/hardware_control.h"

namespace mca {

namespace {

SetButton buttonOf(SettingStep step) {
    switch (step) {
    case SettingStep::InputAndPolarity: return SetButton::Input;
    case SettingStep::ShapingTime: return SetButton::ShapingTime;
    case SettingStep::CoarseGain: return SetButton::CoarseGain;
    case SettingStep::FineGain: return SetButton::FineGain;
    case SettingStep::Threshold: return SetButton::Threshold;
    }
    return SetButton::Input;
}

// "Use this detector" sends in this order; start-up has its own (SettingStep).
constexpr SetButton kDetectorOrder[]{SetButton::Input, SetButton::CoarseGain, SetButton::FineGain,
                                     SetButton::ShapingTime, SetButton::Threshold};

}  // namespace

void HardwareControl::applySetting(int n, SettingStep step) {
    if (!linked(n)) return;
    const SetButton button = buttonOf(step);
    try {
        transmit(n, button, m_w.session(n).settings);
        showOnPanel(n, button);
    } catch (const SerialPortError& e) {
        reportPortFailure(e);
    }
}

bool HardwareControl::sendDetectorSettings(int n) {
    return runFramed(n, Frame{.needsRecord = false}, [&] {
        for (SetButton button : kDetectorOrder) {
            transmit(n, button, m_w.session(n).settings);
            showOnPanel(n, button);
        }
    });
}

}  // namespace mca
