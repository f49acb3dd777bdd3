// The chart title an alias gives its instrument: "MCA " + n + ": " + alias.
#pragma once

#include "core/workstation.h"
#include "device/discovery_hooks.h"

namespace mca {

// Titles chart n after instrument n's alias; without an alias the title is left as it is.
void showAliasChartTitle(Workstation& w, int n, DiscoveryHooks& hooks);

}  // namespace mca
