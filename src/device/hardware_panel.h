// The hardware panel's edits: the values shown for one instrument and which Set buttons are
// enabled because their value was edited and not yet sent. Nothing here talks to an instrument;
// HardwareControl sends what the panel holds.
#pragma once

#include "core/hardware_settings.h"
#include "core/instrument_session.h"

#include <array>
#include <optional>
#include <string>

namespace mca {

// The Set buttons whose edits wait to be sent, in the order the pending ones are applied.
enum class SetButton { HighVoltage, Threshold, Input, CoarseGain, FineGain, ShapingTime };
inline constexpr std::array<SetButton, 6> kPendingOrder{SetButton::HighVoltage, SetButton::Threshold,
                                                        SetButton::Input,       SetButton::CoarseGain,
                                                        SetButton::FineGain,    SetButton::ShapingTime};

inline constexpr int kInputCount = 5;
inline constexpr int kShapedInput = 4;          // "Shaped Input, Positive Polarity"
inline constexpr int kShapingCount = 9;         // eight times and "Shaped"
inline constexpr int kShapedShaping = 8;        // "Shaped"
inline constexpr int kShapingAfterShaped = 3;   // 2.0 µS, when the input stops being shaped
inline constexpr int kMaxThresholdSetting = 2047;
inline constexpr int kMaxOffsetSetting = 2047;
inline constexpr double kHvStepsPerVolt = 10.0;   // the HV field moves in 0.1 V

// The HV field's upper limit for an instrument: its not-to-exceed voltage, never above the HV unit
// (which is 2000 until the instrument has told it). A record without an NTE voltage leaves the HV
// unit as the limit.
double highVoltageLimit(const InstrumentSession& session);

class HardwarePanel {
public:
    // Shows instrument n's settings with the HV field's limit; no Set button is enabled.
    void load(int instrument, const HardwareSettings& settings, double hvLimitVolts);

    int instrument() const { return m_instrument; }
    const HardwareSettings& values() const { return m_values; }
    double hvLimit() const { return m_hvLimit; }
    void setHvLimit(double volts) { m_hvLimit = volts; }

    bool pending(SetButton button) const { return m_pending[index(button)]; }
    void setPending(SetButton button, bool on) { m_pending[index(button)] = on; }
    // The first enabled Set button in the order of kPendingOrder.
    std::optional<SetButton> firstPending() const;

    // Edits. Each enables its Set button. Typed values are held to their field's range: HV to 0
    // and steps of 0.1 V (the limit applies when it is sent), threshold 0..2047, fine gain 0..255.
    void editHighVoltage(double volts);
    void stepHighVoltage(int volts);        // the spin buttons, 1 V a step, within 0..limit
    void editThreshold(int threshold);
    void stepThreshold(int steps);
    void chooseInput(int index);            // also moves the shaping time into or out of "Shaped"
    void chooseCoarseGain(int index);       // also enables the fine gain's Set button
    void editFineGain(int position);
    void stepFineGain(int steps);
    void chooseShapingTime(int index);
    // "Edit NTE Voltage": the NTE field is editable, and "Set NTE Volts" usable, only while ticked.
    void allowNotToExceedEdit(bool on) { m_nteEditable = on; }
    bool notToExceedEditable() const { return m_nteEditable; }
    void editNotToExceed(double volts) { m_values.notToExceedVoltage = volts; }

    // What a command sent: the field shows it and its Set button is no longer enabled.
    void showSent(SetButton button, const HardwareSettings& sent);
    void showOffset(int offset) { m_values.offset = offset; }

    // A non-zero HV typed into the field: the voltage "Enable High Voltage" restores.
    std::optional<double> typedRestoreVoltage() const { return m_typedRestore; }
    void clearTypedRestoreVoltage() { m_typedRestore.reset(); }

    std::string highVoltageText() const;
    std::string fineGainText() const;       // "Fine Gain = 0.500"
    std::string overallGainText() const;    // "Overall Gain = 1.000"

private:
    static std::size_t index(SetButton button) { return static_cast<std::size_t>(button); }

    int m_instrument = 1;
    HardwareSettings m_values;
    double m_hvLimit = kDefaultHvFullScale;
    std::array<bool, kPendingOrder.size()> m_pending{};
    bool m_nteEditable = false;
    std::optional<double> m_typedRestore;
};

}  // namespace mca
