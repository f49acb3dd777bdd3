// Points hardware commands at one instrument while it is being opened, and back at the screen's
// choice on every way out of the sequence, an exception included.
#pragma once

#include "core/app_state.h"

namespace mca {

class DiscoveryTargetScope {
public:
    DiscoveryTargetScope(AppState& state, int n) : m_state(state) { m_state.hardwareTarget = n; }
    ~DiscoveryTargetScope() { m_state.hardwareTarget = kScreenDecides; }
    DiscoveryTargetScope(const DiscoveryTargetScope&) = delete;
    DiscoveryTargetScope& operator=(const DiscoveryTargetScope&) = delete;

private:
    AppState& m_state;
};

}  // namespace mca
