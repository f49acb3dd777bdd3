// Reading the identity of an instrument that answered on its port into its session: serial
// number, alias, firmware revision, supply polarity and HV unit, then the status-bar serial text.
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"
#include "device/discovery_outcome.h"

#include <string>

namespace mca {

// Where the sequences differ in how they ask.
struct IdentityReading {
    // MCA 1 and the four-chart instruments take "RadNet" as serial number in monitoring-network
    // mode instead of asking; the second instrument always asks.
    bool radNetInNetworkMode = true;
    // 250 ms before the serial-number question (not for the second instrument).
    bool settleBeforeSerial = true;
    // Pauses of 100 ms per round of the serial-number loop: 2, or 1 for the second instrument.
    int serialRoundPauses = 2;
    // Shown before the serial number is asked; empty when the caller has shown it already.
    std::string serialSplash;
};

// Reads the identity of instrument n, whose port is already in its session, and marks it open.
// The open mark comes last so that the acquisition tick and the battery poll, which serve open
// instruments during the pauses, cannot take the replies. When the instrument stops answering
// or its revision is not a number, the port is closed and the session is left not open. The HV
// unit is 2000 V unless the revision (1.08 or later, not in monitoring-network mode) lets it be
// asked; the supply is positive unless asked and found negative.
IdentityOutcome readInstrumentIdentity(Workstation& w, int n, DiscoveryHooks& hooks, const IdentityReading& how);

// The alias of `serial` from its alias file. A file that exists but cannot be read is reported to
// the operator and gives no alias.
std::string aliasOf(Workstation& w, const std::string& serial);

// Closes instrument n's port and leaves it not open.
void releaseInstrument(Workstation& w, int n);

}  // namespace mca
