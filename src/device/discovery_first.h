// MCA 1 at start, as two steps of the start sequence: finding its port, and reading its identity
// once the start routine has shown "Reading ... Serial Number".
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"
#include "device/discovery_outcome.h"

namespace mca {

inline constexpr int kFirstSearchLastPort = 399;
inline constexpr int kFirstUsableLastPort = 197;

// Finds MCA 1: only the -COM port when one was given; else, with SpecifyCOMPort, the port the
// operator chooses (Cancel: not found); else COM1 to COM399 in order, stopping at the first
// instrument. An instrument counts only on COM1 to COM197. Found: 150 ms and "Reading Battery
// Voltage"; the open port and its number are in session 1, which is not marked open yet. False
// when not found; the caller asks about going offline.
bool openFirstInstrument(Workstation& w);

// Reads MCA 1's serial number (or takes "RadNet" in monitoring-network mode), alias, firmware,
// polarity and HV unit, shows the status-bar serial text and marks MCA 1 open. Anything but Read
// leaves MCA 1 closed: the start then has no instrument, as when none was found.
IdentityOutcome readFirstInstrumentIdentity(Workstation& w, DiscoveryHooks& hooks);

}  // namespace mca
