// Chart layout rules.
#include "chart_layout.h"

namespace mca {

bool twoInstrumentLayout(const Workstation& w) { return !w.state.quadLayout && w.session(2).open; }

namespace {

bool splitView(const Workstation& w) {
    return twoInstrumentLayout(w) && w.state.view.twoInstrumentView == TwoInstrumentView::Split;
}

}  // namespace

bool chartShown(const Workstation& w, int chart) {
    if (chart == 1) return true;
    if (w.state.quadLayout) return chart >= 2 && chart <= kChartCount;
    return chart == 2 && splitView(w);
}

std::vector<int> chartInstruments(const Workstation& w, int chart) {
    if (w.state.quadLayout) return {chart};
    if (chart == 2) return {2};
    if (!twoInstrumentLayout(w)) return {1};
    switch (w.state.view.twoInstrumentView) {
        case TwoInstrumentView::Mca2: return {2};
        case TwoInstrumentView::Combined: return {1, 2};
        default: return {1};
    }
}

int chartOfInstrument(const Workstation& w, int instrument) {
    for (int chart = 1; chart <= kChartCount; ++chart) {
        if (chartShown(w, chart) && chartInstruments(w, chart) == std::vector<int>{instrument}) return chart;
    }
    return 1;
}

int staticChart(const Workstation& w) { return splitView(w) ? 2 : 1; }

XAxisMode requestedXAxisMode(const Workstation& w) {
    if (!w.screen.xAxisInEnergy) return XAxisMode::Channels;
    return w.settings.useKeV ? XAxisMode::KeV : XAxisMode::MeV;
}

}  // namespace mca
