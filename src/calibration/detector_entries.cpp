// Detector entries and records.
#include "calibration/detector_entries.h"

#include "core/hardware_codes.h"
#include "core/hardware_settings.h"
#include "core/number_text.h"

#include <algorithm>

namespace mca {

namespace {

constexpr int kInputCodes = static_cast<int>(kInputTexts.size());
constexpr int kCoarseGainCodes = static_cast<int>(kCoarseGains.size());
constexpr int kShapingTimeCodes = static_cast<int>(kShapingTimeTexts.size());
constexpr int kChannelsCodes = static_cast<int>(kChannelCountByCode.size());

int codeOr(const std::string& text, int codeCount, int fallback) {
    const auto code = parseInteger(text);
    return code && *code >= 0 && *code < codeCount ? static_cast<int>(*code) : fallback;
}

int rampValueOf(const std::string& text, int fallback) {
    const auto value = parseInteger(text);
    if (!value) return fallback;
    return static_cast<int>(std::clamp<long long>(*value, kMinRampValue, kMaxRampValue));
}

double fineGainFactor(int position) {
    return (std::clamp(position, 0, kMaxFineGain) + 1) / 256.0;
}

}  // namespace

DetectorEntries genericDetectorEntries() {
    DetectorEntries e;
    e.name = "Generic";
    e.serial = "xxxx";
    e.description = "Generic";
    e.cableLength = "36";
    e.highVoltage = "600";
    e.notToExceed = "1000";
    return e;
}

DetectorEntries detectorEntriesFrom(const DetectorRecord& r) {
    const DetectorEntries blank;
    DetectorEntries e;
    e.name = r[field::kName];
    e.serial = r[field::kSerial];
    e.description = r[field::kDescription];
    e.cableLength = r[field::kCableLength];
    e.units = r[field::kCableUnits];
    e.inputCode = codeOr(r[field::kInput], kInputCodes, blank.inputCode);
    e.highVoltage = r[field::kHighVoltage];
    e.notToExceed = r[field::kNotToExceed];
    e.coarseGainCode = codeOr(r[field::kCoarseGain], kCoarseGainCodes, blank.coarseGainCode);
    e.fineGainPosition = codeOr(r[field::kFineGain], kMaxFineGain + 1, blank.fineGainPosition);
    e.shapingTimeCode = codeOr(r[field::kShapingTime], kShapingTimeCodes, blank.shapingTimeCode);
    e.threshold = r[field::kThreshold];
    e.channelsCode = codeOr(r[field::kChannelsCode], kChannelsCodes, blank.channelsCode);
    e.rampHighVoltage = r[field::kRampHv] == "1";
    e.rampValue = rampValueOf(r[field::kRampValue], blank.rampValue);
    e.zeroHighVoltage = r[field::kZeroHv] == "1";
    return e;
}

DetectorRecord detectorRecordFrom(const DetectorEntries& e) {
    DetectorRecord r;
    r[field::kName] = e.name;
    r[field::kSerial] = e.serial;
    r[field::kDescription] = e.description;
    r[field::kCableLength] = e.cableLength;
    r[field::kCableUnits] = e.units;
    r[field::kInput] = std::to_string(e.inputCode);
    r[field::kHighVoltage] = e.highVoltage;
    r[field::kNotToExceed] = e.notToExceed;
    r[field::kCoarseGain] = std::to_string(e.coarseGainCode);
    r[field::kFineGain] = std::to_string(e.fineGainPosition);
    r[field::kShapingTime] = std::to_string(e.shapingTimeCode);
    r[field::kThreshold] = e.threshold;
    r[field::kChannelsCode] = std::to_string(e.channelsCode);
    r[field::kSqrtToFwhm] = kDefaultSqrtToFwhm;
    r[field::kFwhmToPeak] = kDefaultFwhmToPeak;
    r[field::kRampHv] = e.rampHighVoltage ? "1" : "0";
    r[field::kRampValue] = std::to_string(e.rampValue);
    r[field::kZeroHv] = e.zeroHighVoltage ? "1" : "0";
    return r;
}

std::string fineGainText(int position) { return "Fine Gain = " + formatFixed(fineGainFactor(position), 3); }

std::string overallGainText(int coarseGainCode, int position) {
    const int gain = kCoarseGains[static_cast<std::size_t>(std::clamp(coarseGainCode, 0, kCoarseGainCodes - 1))];
    return formatFixed(gain * fineGainFactor(position), 3);
}

}  // namespace mca
