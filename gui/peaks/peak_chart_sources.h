// The found peaks as the spectrum charts see them: the list of the analysed instrument and the
// panel state that decides their shading (panel shown, "&Allow Edit", the edited region). What
// other subsystems give the charts (background, static spectrum, ROIs) passes through to the
// sources they installed, so one object can serve the chart area.
#pragma once

#include "chart/chart_sources.h"

#include "analysis/peak_analysis_state.h"

#include <functional>

namespace mca::gui {

class PeakChartSources : public ChartSources {
public:
    using ViewFunction = std::function<PeakShadingView()>;

    // `state` must outlive the sources; `view` is asked on every shading refresh.
    PeakChartSources(const PeakAnalysis& state, ViewFunction view);

    // The sources of the other subsystems; null: none (the defaults of ChartSources).
    void setBase(ChartSources* base) { m_base = base; }
    ChartSources* base() const { return m_base; }

    const ChannelValues* backgroundRate(int instrument) const override;
    bool backgroundSubtracted() const override;
    void setBackgroundSubtracted(bool on) override;
    const StaticSpectrumData* staticSpectrum() const override;
    bool staticShown() const override;
    void setStaticShown(bool on) override;
    int displayOffset(int instrument) const override;
    std::span<const RoiSlot> roiSlots() const override;
    SelectedRoiView selectedRoiView() const override;

    // The search always analyses MCA 1 (summed with MCA 2 in the combined view, which chart 1 shows).
    int analysedInstrument() const override { return 1; }
    bool peakSearchDone() const override;
    std::span<const FoundPeak> foundPeaks() const override;
    PeakShadingView peakShadingView() const override;

private:
    const PeakAnalysis& m_state;
    ViewFunction m_view;
    ChartSources* m_base = nullptr;
};

}  // namespace mca::gui
