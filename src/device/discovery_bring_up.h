// What follows an instrument's identity when it is opened: the detector, the settings sent in
// their fixed order, and the question whether to switch the high voltage on. Shared by the second
// instrument and the instruments of the four-chart layout.
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"

namespace mca {

// "Obtaining Detector Information", the detector table of instrument n and the detector dialog;
// false when the operator cancelled the dialog.
bool chooseDetector(Workstation& w, int n, DiscoveryHooks& hooks);

// Input and polarity, shaping time, coarse gain, fine gain and threshold of instrument n, each
// after its splash text and 5 x 50 ms + 100 ms. With `alarmsOffFirst` both alarm outputs are
// switched off before them, as at start. Throws SerialPortError when the port fails.
void applyDetectorSettings(Workstation& w, int n, DiscoveryHooks& hooks, bool alarmsOffFirst);

enum class HighVoltageChoice { On, Off, Abort };

struct HighVoltageQuestion {
    bool withAlias = false;            // the alias text after the serial number (VORA edition only)
    bool yesWhenUnattended = false;    // VORA edition with -RNCA/-RNSA/-RNSR: no question, Yes
};

// "<name> # <serial>[alias] Found on COM <n>." CR "Enable High Voltage to <HV> volts?", with the
// HV of instrument n's detector.
std::string highVoltageQuestionText(const Workstation& w, int n, bool withAlias);

// Asks the question (Yes, No, Abort). Yes sets the HV through the hooks and shows "On" and the
// voltage; No shows "Off" and "0 V"; Abort changes nothing.
HighVoltageChoice askForHighVoltage(Workstation& w, int n, DiscoveryHooks& hooks, const HighVoltageQuestion& how);

}  // namespace mca
