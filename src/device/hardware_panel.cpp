// The hardware panel's edits and their rules.
#include "device/hardware_panel.h"

#include "calibration/detector_entries.h"
#include "core/number_text.h"

#include <algorithm>
#include <cmath>

namespace mca {

double highVoltageLimit(const InstrumentSession& session) {
    const double unit = session.hvFullScale > 0 ? session.hvFullScale : kDefaultHvFullScale;
    const double nte = session.settings.notToExceedVoltage;
    return nte > 0 ? std::min(nte, unit) : unit;
}

void HardwarePanel::load(int instrument, const HardwareSettings& settings, double hvLimitVolts) {
    m_instrument = instrument;
    m_values = settings;
    m_hvLimit = hvLimitVolts;
    m_pending.fill(false);
    m_typedRestore.reset();
}

std::optional<SetButton> HardwarePanel::firstPending() const {
    for (SetButton b : kPendingOrder) {
        if (pending(b)) return b;
    }
    return std::nullopt;
}

void HardwarePanel::editHighVoltage(double volts) {
    // Whole tenths divided by ten: 812.5 stays exact, where tenths times 0.1 would not.
    m_values.highVoltage = std::round(std::max(volts, 0.0) * kHvStepsPerVolt) / kHvStepsPerVolt;
    if (m_values.highVoltage > 0) m_typedRestore = m_values.highVoltage;
    setPending(SetButton::HighVoltage, true);
}

void HardwarePanel::stepHighVoltage(int volts) {
    m_values.highVoltage = std::clamp(m_values.highVoltage + volts, 0.0, std::max(m_hvLimit, 0.0));
    if (m_values.highVoltage > 0) m_typedRestore = m_values.highVoltage;
    setPending(SetButton::HighVoltage, true);
}

void HardwarePanel::editThreshold(int threshold) {
    m_values.threshold = std::clamp(threshold, 0, kMaxThresholdSetting);
    setPending(SetButton::Threshold, true);
}

void HardwarePanel::stepThreshold(int steps) { editThreshold(m_values.threshold + steps); }

void HardwarePanel::chooseInput(int index) {
    m_values.inputIndex = std::clamp(index, 0, kInputCount - 1);
    setPending(SetButton::Input, true);
    // The shaped input bypasses the shaping amplifier; any other input needs a real shaping time.
    if (m_values.inputIndex == kShapedInput) {
        chooseShapingTime(kShapedShaping);
    } else if (m_values.shapingIndex == kShapedShaping) {
        chooseShapingTime(kShapingAfterShaped);
    }
}

void HardwarePanel::chooseCoarseGain(int index) {
    m_values.coarseGainIndex = std::clamp(index, 0, static_cast<int>(kCoarseGains.size()) - 1);
    setPending(SetButton::CoarseGain, true);
    // The instrument's fine gain is sent again after every coarse gain.
    setPending(SetButton::FineGain, true);
}

void HardwarePanel::editFineGain(int position) {
    m_values.fineGain = std::clamp(position, 0, kMaxFineGain);
    setPending(SetButton::FineGain, true);
}

void HardwarePanel::stepFineGain(int steps) { editFineGain(m_values.fineGain + steps); }

void HardwarePanel::chooseShapingTime(int index) {
    m_values.shapingIndex = std::clamp(index, 0, kShapingCount - 1);
    setPending(SetButton::ShapingTime, true);
}

void HardwarePanel::showSent(SetButton button, const HardwareSettings& sent) {
    switch (button) {
    case SetButton::HighVoltage: m_values.highVoltage = sent.highVoltage; break;
    case SetButton::Threshold:
        m_values.threshold = sent.threshold;
        m_values.offset = sent.offset;
        break;
    case SetButton::Input: m_values.inputIndex = sent.inputIndex; break;
    case SetButton::CoarseGain: m_values.coarseGainIndex = sent.coarseGainIndex; break;
    case SetButton::FineGain: m_values.fineGain = sent.fineGain; break;
    case SetButton::ShapingTime: m_values.shapingIndex = sent.shapingIndex; break;
    }
    setPending(button, false);
}

std::string HardwarePanel::highVoltageText() const { return formatFull(m_values.highVoltage); }

std::string HardwarePanel::fineGainText() const { return mca::fineGainText(m_values.fineGain); }

std::string HardwarePanel::overallGainText() const {
    return "Overall Gain = " + mca::overallGainText(m_values.coarseGainIndex, m_values.fineGain);
}

}  // namespace mca
