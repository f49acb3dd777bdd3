// Status-bar read-out texts.
#include "display/cursor_readout.h"

#include "core/number_text.h"

#include <algorithm>
#include <cstddef>

namespace mca {
namespace {

constexpr int kEnergyDigits = 4;

std::string countsText(double value) { return std::to_string(roundHalfEven(value)) + " cnts"; }

// Channels first .. last clipped to the spectrum.
double sumOf(const ChannelValues& counts, long long first, long long last, int channelCount,
             bool roundEach) {
    double sum = 0;
    for (long long k = std::max(first, 0LL); k <= std::min<long long>(last, channelCount - 1); ++k) {
        const double value = counts[static_cast<std::size_t>(k)];
        sum += roundEach ? static_cast<double>(roundHalfEven(value)) : value;
    }
    return sum;
}

bool complete(const RoiSlot& slot) {
    return slot.startChannel && slot.endChannel && slot.startKeV && slot.endKeV;
}

void fillRoi(CursorReadout& out, const CursorContext& context, const ChannelValues& counts, double c) {
    out.roiName.clear();
    out.roiCounts.clear();
    if (!context.showRois) return;
    const auto n = std::min(context.rois.size(), static_cast<std::size_t>(kMaxRoiSlots));
    for (const RoiSlot& slot : context.rois.first(n)) {
        if (!complete(slot) || c < *slot.startChannel || c > *slot.endChannel) continue;
        out.roiName = slot.name;
        out.roiCounts = countsText(sumOf(counts, roundHalfEven(*slot.startChannel),
                                         roundHalfEven(*slot.endChannel), context.channelCount, false));
        return;
    }
}

void fillPeak(CursorReadout& out, const CursorContext& context, const ChannelValues& counts, double c) {
    if (!context.showPeaks) return;
    for (const FoundPeak& peak : context.peaks) {
        if (c < peak.leftChannel || c > peak.rightChannel) continue;
        out.peakNumber = std::to_string(peak.number);
        out.peakCounts = countsText(sumOf(counts, peak.leftChannel, peak.rightChannel,
                                          context.channelCount, true));
        return;
    }
}

std::string energyText(const CursorContext& context, double c) {
    if (energyCalibrationKind(context.calibration) == EnergyCalibrationKind::None) return {};
    if (context.mode == XAxisMode::MeV) {
        return formatGeneral(ChannelToMeV(context.calibration, c), kEnergyDigits) + " MeV";
    }
    return formatGeneral(ChannelToKeV(context.calibration, c), kEnergyDigits) + " keV";
}

std::string channelCountsText(const CursorContext& context, const ChannelValues& counts, double c) {
    const int shift = context.smoothFactor == 1 ? context.offsetChannels : 0;
    const long long channel = roundHalfEven(c) - shift;
    if (channel < 0 || channel >= context.channelCount) return {};
    return countsText(counts[static_cast<std::size_t>(channel)]);
}

}  // namespace

std::array<std::string, kStatusPanels> statusCaptions() {
    std::array<std::string, kStatusPanels> captions;
    captions[0] = "Chn";
    captions[4] = "ROI";
    captions[7] = "Overall";
    captions[10] = "Peak #";
    return captions;
}

std::optional<double> cursorChannel(const CursorContext& context, double x) {
    const int r = context.channelCount;
    double c = x;
    if (context.mode == XAxisMode::Channels) {
        if (x < 0 || x >= r) return std::nullopt;
    } else {
        if (x < 0 || x >= ChannelToKeV(context.calibration, r)) return std::nullopt;
        c = KeVToChannel(context.calibration, x, r);
    }
    if (roundHalfEven(c) > r - 1) return std::nullopt;
    return c;
}

CursorReadout cursorReadout(const CursorContext& context, const ChannelValues& counts,
                            std::optional<double> x) {
    CursorReadout out;
    const std::optional<double> c = x ? cursorChannel(context, *x) : std::nullopt;
    if (!c) return out;
    out.channel = std::to_string(roundHalfEven(*c));
    out.energy = energyText(context, *c);
    out.counts = channelCountsText(context, counts, *c);
    fillRoi(out, context, counts, *c);
    fillPeak(out, context, counts, *c);
    return out;
}

CursorReadout tickReadout(const CursorContext& context, const ChannelValues& counts,
                          const ChannelValues& trace, std::optional<double> lastChannel,
                          CursorReadout shown) {
    if (!lastChannel) {
        shown.counts.clear();
        return shown;
    }
    const long long channel = roundHalfEven(*lastChannel);
    const bool inside = channel >= 0 && channel < static_cast<long long>(trace.size());
    shown.counts = inside ? countsText(trace[static_cast<std::size_t>(channel)]) : std::string{};
    fillRoi(shown, context, counts, *lastChannel);
    return shown;
}

}  // namespace mca
