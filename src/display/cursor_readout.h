// The lower status bar of a chart: channel, energy and counts under the mouse, the ROI and the
// found peak there, and the short refresh at the end of every acquisition tick.
#pragma once

#include "display/display_values.h"
#include "display/peak_overlay.h"
#include "display/roi_shading.h"

#include <array>
#include <optional>
#include <span>
#include <string>

namespace mca {

// Panels 0 to 13 of the status bar; 8 and 9 (total counts and count rate) belong to acquisition.
inline constexpr int kStatusPanels = 14;
// The fixed captions, by panel: 0 "Chn", 4 "ROI", 7 "Overall", 10 "Peak #".
std::array<std::string, kStatusPanels> statusCaptions();

// Everything the read-out of one chart depends on besides the counts.
struct CursorContext {
    XAxisMode mode = XAxisMode::Channels;
    EnergyCalibration calibration;
    int channelCount = kMaxChannels;
    int smoothFactor = 1;
    int offsetChannels = 0;            // display offset applied to this chart's trace
    bool showRois = false;
    std::span<const RoiSlot> rois;
    bool showPeaks = false;            // chart 1, a search done, peak panel shown or Persist on
    std::span<const FoundPeak> peaks;
};

// Panel texts; empty means the panel is cleared.
struct CursorReadout {
    std::string channel;      // 1
    std::string energy;       // 2
    std::string counts;       // 3
    std::string roiName;      // 5
    std::string roiCounts;    // 6
    std::string peakNumber;   // 11
    std::string peakCounts;   // 12
};

// Channel c under x: x itself (channel mode, 0 <= x < R) or KeVToChannel(x) (energy modes,
// 0 <= x < ChannelToKeV(R)). None beyond the spectrum, including an x whose round(c) would be R.
std::optional<double> cursorChannel(const CursorContext& context, double x);

// Full read-out at x; nullopt x (mouse outside the plot area) or an x beyond the spectrum gives
// all panels empty.
//   1: round(c);  2: ChannelToKeV(c) to 4 significant digits + " keV" (ChannelToMeV + " MeV" in
//   the MeV mode), only with an energy calibration;  3: counts of channel round(c) - o (o only
//   when the offset shifted the trace, smoothing factor 1), rounded, + " cnts";  5, 6: the first
//   complete ROI slot with S <= c <= E, its name and round(sum of counts S..E) + " cnts";
//   11, 12: the first found peak with left <= c <= right, its number and the sum of its channels'
//   rounded counts + " cnts".
CursorReadout cursorReadout(const CursorContext& context, const ChannelValues& counts,
                            std::optional<double> x);

// End of an acquisition tick, chart 1: with the mouse over the plot at last read-out channel c,
// panel 3 = round(trace[c]) + " cnts" (the drawn value) and panels 5 and 6 recomputed; with the
// mouse elsewhere (nullopt) panel 3 is emptied. Other panels keep `shown`.
CursorReadout tickReadout(const CursorContext& context, const ChannelValues& counts,
                          const ChannelValues& trace, std::optional<double> lastChannel,
                          CursorReadout shown);

}  // namespace mca
