// Loading a spectrum file offline: the file brings its own detector, settings and calibration.
#include "spectrumio/spectrum_file_offline.h"

#include "core/hardware_codes.h"
#include "core/number_text.h"
#include "core/settings_store.h"
#include "spectrumio/spectrum_file_layout.h"

namespace mca {

namespace {

using namespace usf;

constexpr int kDefaultShapingCode = 2;   // "1.0 µS"

const std::string& value(const Grid& g, int row) { return g.cell(row, kValueColumn); }

std::string orDefault(const std::string& text, const char* fallback) { return text.empty() ? fallback : text; }

// The hardware panel takes the file's settings (MCA 1 only).
void takePanelSettings(Workstation& w, const Grid& g) {
    HardwareSettings& s = w.session(1).settings;
    s.inputIndex = codeOfText(kInputTexts, value(g, kInput)).value_or(0);
    s.highVoltage = parseFloat(orDefault(value(g, kHighVoltage), "0")).value_or(0.0);
    s.coarseGainIndex = codeOfText(kCoarseGainTexts, value(g, kCoarseGain)).value_or(0);
    const double factor = parseFloat(orDefault(value(g, kFineGain), "1.0")).value_or(1.0);
    // The file holds (p + 1) / 256; multiplying back by 255 would lose a position above p = 127.
    s.fineGain = static_cast<int>(
        std::clamp<long long>(roundHalfEven((kMaxFineGain + 1.0) * factor) - 1, 0, kMaxFineGain));
    s.shapingIndex = codeOfText(kShapingTimeTexts, value(g, kShapingTime)).value_or(kDefaultShapingCode);
    s.threshold = static_cast<int>(parseInteger(orDefault(value(g, kThreshold), "20")).value_or(20));
    w.screen.elapsedTime = orDefault(value(g, kCountingTime), "0");
    w.session(1).serialNumber = value(g, kSerialNumber);
    w.screen.hardwareControlsEnabled = false;
}

std::string channelsCodeOf(const std::string& text) {
    for (std::size_t i = 0; i < kChannelCountByCode.size(); ++i) {
        if (text == std::to_string(kChannelCountByCode[i])) return std::to_string(i);
    }
    return text;
}

void fillRecord(SpectrumLoadTarget& t, const Grid& g) {
    DetectorRecord& r = t.record;
    for (int f = field::kName; f <= field::kNotToExceed; ++f) r[f] = value(g, kDetector + f);
    if (t.instrument == 1) {
        const HardwareSettings& s = t.workstation.session(1).settings;
        r[field::kCoarseGain] = std::to_string(s.coarseGainIndex);
        r[field::kFineGain] = std::to_string(s.fineGain);
        r[field::kShapingTime] = std::to_string(s.shapingIndex);
        r[field::kThreshold] = value(g, kThreshold);
        r[field::kChannelsCode] = channelsCodeOf(value(g, kChannels));
    }
    for (int k = 0; k < kCalibrationPointCount; ++k) {
        const std::string& energy = g.cell(kFirstPoint + k, kValueColumn);
        const std::string& channel = g.cell(kFirstPoint + k, kLabelColumn);
        if (energy != "0") r[field::kFirstEnergy + k] = energy;
        if (channel != "0") r[field::kFirstChannel + k] = channel;
    }
    r[field::kSelectedIndex] = std::to_string(t.recordRow);
    r[field::kSqrtToFwhm] = value(g, kSqrtToFwhm);
    r[field::kFwhmToPeak] = value(g, kFwhmToPeak);
    fillMultiplierDefaults(r);
    r[field::kRampHv] = value(g, kRampHv);
    r[field::kRampValue] = value(g, kRampValue);
    r[field::kZeroHv] = value(g, kZeroHv);
    r[field::kCalibrationOrder] = value(g, kCalibrationOrder) == "quadratic" ? "2" : "1";
}

// The session's channel count from row 39; an empty or unknown text means 4096.
int channelCountOf(const std::string& text) {
    const auto n = parseInteger(text);
    return n && isValidChannelCount(static_cast<int>(*n)) ? static_cast<int>(*n) : kMaxChannels;
}

// Channels 1 .. R-1; the first count that is not a number is taken as 0 and ends the reading.
void readOfflineCounts(Workstation& w, int n, const Grid& g) {
    Spectrum& s = w.session(n).spectrum;
    for (int ch = 1; ch < w.state.channelCount; ++ch) {
        const auto count = parseFloat(g.cell(ch, kCountsColumn));
        if (!count) return;
        s.counts[static_cast<std::size_t>(ch)] = *count;
    }
}

}  // namespace

void takeSampleAndTimes(Workstation& w, const Grid& g, const std::string& path) {
    w.sample.description = value(g, kSampleDescription);
    w.sample.quantity = value(g, kSampleQuantity);
    w.settings.sampleUnits = value(g, kSampleUnitsRow);
    w.screen.spectrumFileName = path;
    w.state.startDateText = value(g, kStarted);
    w.state.stopDateText = value(g, kStopped);
}

bool loadOffline(SpectrumLoadTarget& t, const Grid& g, const std::string& path) {
    Workstation& w = t.workstation;
    if (t.clearDetectorDatabase) t.clearDetectorDatabase();
    t.record = DetectorRecord{};
    if (t.instrument == 1) takePanelSettings(w, g);
    takeSampleAndTimes(w, g, path);
    fillRecord(t, g);
    if (t.instrument == 1) {
        // A file brings another detector: its calibration starts from nothing, as on a selection.
        t.calibration = EnergyCalibration{};
        RecomputeEnergyCalibration(t.calibration, t.record);
        w.state.energyCalibration = energyCalibrationKind(t.calibration);
    }
    w.state.channelCount = channelCountOf(value(g, kChannels));
    readOfflineCounts(w, t.instrument, g);
    if (t.instrument == 1) {
        showLoadedTotals(t, g);
        std::string roi = value(g, kRoiFile);
        roi = cutStoredPath(roi);
        t.record[field::kRoiSet] = roi;
        t.hooks.loadOfflineRoiAndCalibrations(w, t.record, roi);
        t.hooks.recordAppliedSettings(w);
    }
    return true;
}

}  // namespace mca
