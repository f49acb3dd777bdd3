// Opening instrument n of the four-chart layout ("Open MCA #1..." to "Open MCA #4...").
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"
#include "device/discovery_outcome.h"

namespace mca {

inline constexpr int kFourChartSearchLastPort = 199;
inline constexpr int kFourChartUsableLastPort = 197;

// Points hardware commands at instrument n (1..4), clears its spectrum and tries COM1 to COM199
// ("Looking for <name> #n on COM" + port); it counts only on COM1 to COM197. Then the battery
// (not in monitoring-network mode), "N", the serial number, alias and chart title, firmware,
// polarity and HV unit, the detector, the settings and the HV question as at start, and the
// field-station and network extras. No instrument, a battery that reads zero 21 times, or an
// instrument that stops answering ask "<name> #n Not Found.  Open in Offline Mode?": No gives
// EndRequested (the caller closes the program the ordinary way, so unsaved work is offered for
// saving); Yes goes on after the battery and gives NotFound otherwise. A cancelled detector
// dialog, Abort at the HV question or an unreadable firmware revision close the port again.
// Throws std::out_of_range for n outside 1..4.
OpenOutcome openInstrument(Workstation& w, int n, DiscoveryHooks& hooks);

}  // namespace mca
