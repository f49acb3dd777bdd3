// "&Select/Change...": making the high voltage of the addressed instrument safe before its
// detector is changed, then the Select Detector dialog that follows.
#pragma once

#include "calibration/detector_select_dialog.h"

#include <string_view>

namespace mca {

inline constexpr std::string_view kSafeToChangeDetectorsMessage = "High voltage disabled.  Safe to change detectors...";

// Stops a running acquisition and the housekeeping timer, switches the addressed instrument's high
// voltage off and ramps it down, shows "Off" and "0 V" with empty detector fields in the status
// bar, tells the operator it is safe to change detectors, clears the spectrum and shows the axes
// in channels. Returns the Select Detector dialog to show on top of all windows: "Add new
// detector..." disabled, and "Use this detector" leaving the high voltage off.
DetectorSelectDialog beginDetectorChange(Workstation& w, DetectorDatabases& databases, DetectorUseHooks& hooks);

}  // namespace mca
