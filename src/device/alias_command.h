// "Set Alias for MCA #1..." to "#4...": naming the instrument connected as MCA n.
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"

namespace mca {

inline constexpr const char* kAliasNotOk = "Result was not mrOK";
inline constexpr const char* kAliasBlank = "Alias cannot be blank.";

// Asks for the alias of instrument n (1..4) with the current one filled in. Not open, Cancel and
// an empty answer are each reported with their message. Otherwise the alias file is written
// first, atomically; only when that worked does the alias become the instrument's, chart n take
// the title "MCA n: <alias>" and the confirmation show. A file that cannot be written is reported
// and nothing changes. Returns whether the alias was set. Throws std::out_of_range for another n.
bool setAlias(Workstation& w, int n, DiscoveryHooks& hooks);

}  // namespace mca
