// One chart's trace from the display layer.
#include "chart_trace.h"

#include "chart_layout.h"
#include "display/static_trace.h"
#include "display/trace_smoothing.h"

namespace mca {
namespace {

// The trace is the factor-1 trace shifted by the offset only when unsmoothed.
int effectiveOffset(int smoothFactor, int offset) { return smoothFactor == 1 ? offset : 0; }

}  // namespace

void buildChartTrace(const Workstation& w, const EnergyCalibration& cal, const ChartSources& sources, int chart,
                     XAxisMode mode, ChartTrace& out) {
    const std::vector<int> instruments = chartInstruments(w, chart);
    static const ChannelValues kNoBackground{};
    out.counts = w.session(instruments.front()).spectrum.counts;
    const ChannelValues* rate = sources.backgroundRate(instruments.front());
    ChannelValues background = rate ? *rate : kNoBackground;
    if (instruments.size() == 2) {
        out.counts = channelSums(out.counts, w.session(instruments[1]).spectrum.counts);
        const ChannelValues* second = sources.backgroundRate(instruments[1]);
        background = channelSums(background, second ? *second : kNoBackground);
    }
    const ChannelValues values =
        displayValues(out.counts, background, w.state.realTime, sources.backgroundSubtracted());
    const int offset = sources.displayOffset(instruments.front());
    out.drawn = smoothTrace(values, w.state.channelCount, w.settings.smoothFactor, offset);
    out.offsetChannels = effectiveOffset(w.settings.smoothFactor, offset);
    out.points = mainTracePoints(out.drawn, w.settings.digitalThresh, mode, cal);
}

std::optional<TracePoints> staticTrace(const Workstation& w, const EnergyCalibration& cal,
                                       const ChartSources& sources, XAxisMode mode) {
    const StaticSpectrumData* spectrum = sources.staticSpectrum();
    if (!spectrum) return std::nullopt;
    const ChannelValues d =
        smoothStaticTrace(spectrum->counts, spectrum->length, w.settings.smoothFactor, sources.displayOffset(1));
    return staticTracePoints(d, spectrum->length, mode, cal);
}

CursorContext cursorContext(const Workstation& w, const EnergyCalibration& cal, const ChartSources& sources,
                            int chart, XAxisMode mode, const ChartTrace& trace) {
    CursorContext c;
    c.mode = chart != 1 && mode == XAxisMode::MeV ? XAxisMode::KeV : mode;
    c.calibration = cal;
    c.channelCount = w.state.channelCount;
    c.smoothFactor = w.settings.smoothFactor;
    c.offsetChannels = trace.offsetChannels;
    c.showRois = w.settings.showRois;
    c.rois = sources.roiSlots();
    const PeakShadingView view = sources.peakShadingView();
    c.showPeaks = chart == 1 && sources.peakSearchDone() && (view.peakPanelShown || w.settings.persist);
    c.peaks = sources.foundPeaks();
    return c;
}

}  // namespace mca
