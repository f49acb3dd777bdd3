// Opening the second instrument of the two-instrument layout ("Open Second MCA...", and at start
// in the field-station edition with AutoConnectMCA2).
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"
#include "device/discovery_outcome.h"

namespace mca {

inline constexpr int kSecondSearchLastPort = 99;
inline constexpr int kSecondUsableLastPort = 97;
inline constexpr const char* kSecondWhileOffline = "Cannot open port to second MCA while offline.";
inline constexpr const char* kSecondWhileAcquiring = "Cannot open port to second MCA while acquiring.";

// Refused offline and while acquiring. Otherwise clears MCA 2's spectrum, points hardware commands
// at MCA 2, and finds it: the port the operator chooses with SpecifyCOMPort2 (Cancel: not found),
// else COM1 to COM99 in order; it counts only on COM1 to COM97. Then the battery, "N", the serial
// number, alias, firmware, polarity and HV unit, the detector, the settings and the HV question.
// Not found (or silent on the way): a beep and "<name> Not Found.". A cancelled detector dialog,
// Abort at the HV question or an unreadable firmware revision close the port again. Opened:
// the second status bar, the hardware-panel choice and the view "Combined" are shown. Hardware
// commands go back to the screen's choice on every way out.
OpenOutcome openSecondInstrument(Workstation& w, DiscoveryHooks& hooks);

}  // namespace mca
