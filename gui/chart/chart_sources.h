// What the spectrum charts draw besides the live counts: the background rates, the static
// spectrum, the ROI set, the found peaks and the panels that decide their shading. The subsystems
// that own these data (background and static spectra, ROI sets, peak search) implement this
// interface; until then the defaults say "none", and the charts draw only what exists.
#pragma once

#include "display/display_values.h"
#include "display/peak_overlay.h"
#include "display/roi_shading.h"

#include <optional>
#include <span>

namespace mca {

// The frozen comparison spectrum of MCA 1.
struct StaticSpectrumData {
    ChannelValues counts{};
    int length = kMaxChannels;   // channels the static trace draws
};

class ChartSources {
public:
    virtual ~ChartSources() = default;

    // Background rate of instrument n (1..4), counts per second per channel; null without one.
    virtual const ChannelValues* backgroundRate(int /*instrument*/) const { return nullptr; }
    // "Show &Background Subtracted".
    virtual bool backgroundSubtracted() const { return m_backgroundSubtracted; }
    virtual void setBackgroundSubtracted(bool on) { m_backgroundSubtracted = on; }

    // The static spectrum; null while none has been loaded or copied.
    virtual const StaticSpectrumData* staticSpectrum() const { return nullptr; }
    // "Sho&w Static Spectrum".
    virtual bool staticShown() const { return m_staticShown; }
    virtual void setStaticShown(bool on) { m_staticShown = on; }

    // The display offset of instrument n, channels (-100 .. +100); shifts the unsmoothed trace.
    virtual int displayOffset(int /*instrument*/) const { return 0; }

    // Slots 1..50 of the current ROI set, and what decides the selected ROI.
    virtual std::span<const RoiSlot> roiSlots() const { return {}; }
    virtual SelectedRoiView selectedRoiView() const { return {}; }

    // The found-peak list of the analysed instrument, and the panel state of its shading.
    virtual int analysedInstrument() const { return 1; }
    virtual bool peakSearchDone() const { return false; }
    virtual std::span<const FoundPeak> foundPeaks() const { return {}; }
    // Persist is the chart's own setting and is filled in by the charts.
    virtual PeakShadingView peakShadingView() const { return {}; }

private:
    bool m_backgroundSubtracted = false;
    bool m_staticShown = false;
};

}  // namespace mca
