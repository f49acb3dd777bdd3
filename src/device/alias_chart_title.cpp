// Chart titles from aliases.
#include "device/alias_chart_title.h"

namespace mca {

void showAliasChartTitle(Workstation& w, int n, DiscoveryHooks& hooks) {
    const std::string& alias = w.session(n).alias;
    if (alias.empty()) return;
    const std::string title = "MCA " + std::to_string(n) + ": " + alias;
    // Chart 1's title lives in the core's screen state; the others only on screen.
    if (n == 1) w.screen.chart1Title = title;
    hooks.showChartTitle(w, n, title);
}

}  // namespace mca
