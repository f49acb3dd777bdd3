// Background gain stabilization: every tenth acquisition tick the counts just below and just above
// the target channel are compared, and the fine gain of MCA 1 (and of MCA 2 in the two-instrument
// layout) is moved one step to balance them. Keeps the evaluation and adjustment counts, the
// lowest and highest fine-gain ratio reached since Clear, and the message log.
#pragma once

#include "core/workstation.h"
#include "device/fine_tune_gain_control.h"
#include "device/gain_stabilization_rule.h"

#include <array>
#include <string>
#include <vector>

namespace mca {

inline constexpr int kStabilizationTicks = 10;

struct FineGainRange {
    int lowest = 127;    // positions; ratio = (position + 1) / 256
    int highest = 127;
};

class GainStabilization {
public:
    explicit GainStabilization(FineGainControl& control) : m_control(control) {}

    // The acquisition engine's hook, every tick while stabilization is applied; `tick` counts from 1
    // after Clear. Ticks 10, 20, 30 ... evaluate; the others only count. Nothing happens while the
    // fine-tune tool is open: it moves the gain itself and would be fought.
    void evaluateStabilization(Workstation& w, int tick);

    // Clear: empties the log and the counts, and takes each instrument's current position as its
    // lowest and highest reached. Also called once at start, after the spectra are zeroed.
    void spectrumCleared(const Workstation& w);

    const std::vector<std::string>& messages() const { return m_messages; }
    int evaluations() const { return m_evaluations; }
    int adjustments() const { return m_adjustments; }
    // Instrument n (1 or 2).
    const FineGainRange& fineGainRange(int n) const { return m_ranges.at(static_cast<std::size_t>(n - 1)); }
    double lowestRatio(int n = 1) const;
    double highestRatio(int n = 1) const;

private:
    void evaluateInstrument(Workstation& w, int n);
    void stepFineGain(Workstation& w, int n, StabilizationStep step);
    void logLimit(int n, StabilizationStep step);
    void restoreHardwarePanel(Workstation& w, int panelBefore);

    FineGainControl& m_control;
    std::vector<std::string> m_messages;
    int m_evaluations = 0;
    int m_adjustments = 0;
    std::array<FineGainRange, 2> m_ranges{};
};

}  // namespace mca
