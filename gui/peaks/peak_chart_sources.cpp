// The found-peak sources of the charts, passing everything else to the base sources.
#include "peak_chart_sources.h"

namespace mca::gui {

PeakChartSources::PeakChartSources(const PeakAnalysis& state, ViewFunction view)
    : m_state(state), m_view(std::move(view)) {}

const ChannelValues* PeakChartSources::backgroundRate(int instrument) const {
    return m_base ? m_base->backgroundRate(instrument) : nullptr;
}

bool PeakChartSources::backgroundSubtracted() const {
    return m_base ? m_base->backgroundSubtracted() : ChartSources::backgroundSubtracted();
}

void PeakChartSources::setBackgroundSubtracted(bool on) {
    if (m_base) {
        m_base->setBackgroundSubtracted(on);
    } else {
        ChartSources::setBackgroundSubtracted(on);
    }
}

const StaticSpectrumData* PeakChartSources::staticSpectrum() const {
    return m_base ? m_base->staticSpectrum() : nullptr;
}

bool PeakChartSources::staticShown() const { return m_base ? m_base->staticShown() : ChartSources::staticShown(); }

void PeakChartSources::setStaticShown(bool on) {
    if (m_base) {
        m_base->setStaticShown(on);
    } else {
        ChartSources::setStaticShown(on);
    }
}

int PeakChartSources::displayOffset(int instrument) const { return m_base ? m_base->displayOffset(instrument) : 0; }

std::span<const RoiSlot> PeakChartSources::roiSlots() const {
    return m_base ? m_base->roiSlots() : std::span<const RoiSlot>{};
}

SelectedRoiView PeakChartSources::selectedRoiView() const {
    return m_base ? m_base->selectedRoiView() : SelectedRoiView{};
}

bool PeakChartSources::peakSearchDone() const { return m_state.peaksPresent || !m_state.peaks.empty(); }

std::span<const FoundPeak> PeakChartSources::foundPeaks() const { return m_state.peaks; }

PeakShadingView PeakChartSources::peakShadingView() const { return m_view ? m_view() : PeakShadingView{}; }

}  // namespace mca::gui
