// What the charts take from the workstation itself rather than from an analysis panel: the
// display's channel offset. The peak panel's sources pass everything else they do not own here.
#pragma once

#include "chart/chart_sources.h"

#include "core/workstation.h"

namespace mca {

class WindowChartSources : public ChartSources {
public:
    explicit WindowChartSources(const Workstation& w) : m_w(w) {}
    int displayOffset(int /*instrument*/) const override { return m_w.screen.displayOffsetChannels; }

private:
    const Workstation& m_w;
};

}  // namespace mca
