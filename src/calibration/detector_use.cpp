// Applying a selected detector.
#include "calibration/detector_use.h"

#include "core/number_text.h"
#include "core/workstation.h"

namespace mca {

namespace {

constexpr int kInputCodes = 5;
constexpr int kCoarseGainCodes = static_cast<int>(kCoarseGains.size());
constexpr int kShapingCodes = 9;        // the eight times and "Shaped"
constexpr long long kMaxThreshold = 2498;

// The value of `text` when it is a whole number in first..last, else `fallback`.
int wholeOr(const std::string& text, long long first, long long last, int fallback) {
    const auto value = parseInteger(text);
    return value && *value >= first && *value <= last ? static_cast<int>(*value) : fallback;
}

double voltsOr(const std::string& text, double fallback) {
    const auto value = parseFloat(text);
    return value && *value >= 0 ? *value : fallback;
}

void applyToPanel(Workstation& w, int n, DetectorUseHooks& hooks, const HardwareSettings& s) {
    hooks.showInstrumentDisplay(w, n);
    hooks.applyInput(w, n, s.inputIndex);
    hooks.applyHighVoltageEntry(w, n, s.highVoltage);
    hooks.applyHighVoltageLimit(w, n, s.notToExceedVoltage);
    hooks.applyCoarseGain(w, n, s.coarseGainIndex);
    hooks.applyFineGain(w, n, s.fineGain);
    hooks.applyShapingTime(w, n, s.shapingIndex);
    hooks.applyThreshold(w, n, s.threshold);
    hooks.applyChannelCount(w, n, s.mode);
}

void followOnFirstInstrument(Workstation& w, DetectorUseHooks& hooks, const DetectorRecord& record) {
    hooks.showDetectorInStatusBar(w, record[field::kSerial], record[field::kDescription]);
    w.state.energyCalibration = EnergyCalibrationKind::None;
    hooks.clearRoiTables(w);
    hooks.loadEnergyCalibration(w, record);
    hooks.refreshDetectorStatus(w);
}

}  // namespace

HardwareSettings hardwareSettingsOf(const DetectorRecord& r, const HardwareSettings& base) {
    HardwareSettings s = base;
    s.inputIndex = wholeOr(r[field::kInput], 0, kInputCodes - 1, base.inputIndex);
    s.highVoltage = voltsOr(r[field::kHighVoltage], base.highVoltage);
    s.notToExceedVoltage = voltsOr(r[field::kNotToExceed], base.notToExceedVoltage);
    s.coarseGainIndex = wholeOr(r[field::kCoarseGain], 0, kCoarseGainCodes - 1, base.coarseGainIndex);
    s.fineGain = wholeOr(r[field::kFineGain], 0, kMaxFineGain, base.fineGain);
    s.shapingIndex = wholeOr(r[field::kShapingTime], 0, kShapingCodes - 1, base.shapingIndex);
    s.threshold = wholeOr(r[field::kThreshold], 0, kMaxThreshold, base.threshold);
    s.mode = detectorResolutionMode(r);
    return s;
}

void useSelectedDetector(Workstation& w, DetectorDatabases& databases, int n, DetectorUseHooks& hooks,
                         const DetectorUseOptions& options) {
    DetectorRecord& record = SelectedRecord(databases, n);
    // An unreadable field must not carry the previous detector's voltage over to this one.
    HardwareSettings base;
    base.offset = w.session(n).settings.offset;
    const HardwareSettings settings = hardwareSettingsOf(record, base);
    w.session(n).settings = settings;
    applyToPanel(w, n, hooks, settings);

    fillMultiplierDefaults(record);
    hooks.applyResolutionMultipliers(w, record[field::kSqrtToFwhm], record[field::kFwhmToPeak]);
    hooks.applyRampOptions(w, n, false, record[field::kZeroHv] == "1");

    if (!options.startupInProgress) {
        hooks.sendSettings(w, n);
        if (!options.afterSelectChange) hooks.sendHighVoltage(w, n);
    }
    if (n == 1) followOnFirstInstrument(w, hooks, record);
}

}  // namespace mca
