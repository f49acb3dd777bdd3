// Background gain stabilization, evaluated every tenth tick of an acquisition.
#include "device/gain_stabilization.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

namespace {

constexpr double kFineGainSteps = 256.0;

// Fine-gain ratio = (position + 1) / 256, as the log shows it.
std::string ratioText(int position) { return formatFixed((position + 1) / kFineGainSteps, 3); }

bool twoInstrumentLayout(const Workstation& w) { return !w.state.quadLayout && w.session(2).open; }

}  // namespace

void GainStabilization::evaluateStabilization(Workstation& w, int tick) {
    if (tick <= 0 || tick % kStabilizationTicks != 0 || w.state.fineTuneActive) return;
    const bool twoInstruments = twoInstrumentLayout(w);
    const int panelBefore = w.state.view.hardwarePanelInstrument;
    if (w.session(1).open) evaluateInstrument(w, 1);
    if (!twoInstruments) return;
    if (w.session(2).open) evaluateInstrument(w, 2);
    // A step selects its instrument on the hardware panel; the panel then follows the view again,
    // whichever instrument moved.
    restoreHardwarePanel(w, panelBefore);
}

void GainStabilization::evaluateInstrument(Workstation& w, int n) {
    Spectrum& spectrum = w.session(n).spectrum;
    const Settings& s = w.settings;
    const StabilizationWindowSums sums =
        stabilizationWindowSums(spectrum.stabilizationSums, w.state.channelCount, s.gsTargetChannel, s.gsPlusMinus);
    const std::string tag = std::to_string(n);
    m_messages.push_back("SUMs" + tag + " " + std::to_string(sums.left) + "\t" + std::to_string(sums.right));
    const StabilizationStep step = stabilizationStep(sums, s.gsTargetSum, s.gsImbalance);
    if (step == StabilizationStep::Accumulate) return;
    m_messages.push_back(formatFixed(stabilizationImbalance(sums), 3));
    if (step == StabilizationStep::StaysPut) {
        m_messages.push_back("FG" + tag + " Stays put");
    } else {
        stepFineGain(w, n, step);
    }
    ++m_evaluations;
    spectrum.stabilizationSums.fill(0);
}

void GainStabilization::stepFineGain(Workstation& w, int n, StabilizationStep step) {
    const bool up = step == StabilizationStep::Up;
    const int old = w.session(n).settings.fineGain;
    const int next = old + (up ? 1 : -1);
    if (next < 0 || next > kMaxFineGain) {
        logLimit(n, step);
        return;
    }
    if (twoInstrumentLayout(w)) w.state.view.hardwarePanelInstrument = n;
    if (!m_control.setFineGain(w, n, next)) return;
    m_messages.push_back("MCA" + std::to_string(n) + (up ? " Up, " : " Down, ") + ratioText(old) + " to " +
                         ratioText(next));
    ++m_adjustments;
    FineGainRange& range = m_ranges.at(static_cast<std::size_t>(n - 1));
    range.lowest = std::min(range.lowest, next);
    range.highest = std::max(range.highest, next);
}

void GainStabilization::logLimit(int n, StabilizationStep step) {
    const bool up = step == StabilizationStep::Up;
    m_messages.push_back("FG" + std::to_string(n) + (up ? " at highest value" : " at lowest value"));
}

void GainStabilization::restoreHardwarePanel(Workstation& w, int panelBefore) {
    switch (w.state.view.twoInstrumentView) {
    case TwoInstrumentView::Mca1:
        w.state.view.hardwarePanelInstrument = 1;
        break;
    case TwoInstrumentView::Mca2:
        w.state.view.hardwarePanelInstrument = 2;
        break;
    case TwoInstrumentView::Combined:
    case TwoInstrumentView::Split:
        w.state.view.hardwarePanelInstrument = panelBefore;
        m_control.endHardwareEditing(w);
        break;
    }
}

void GainStabilization::spectrumCleared(const Workstation& w) {
    m_messages.clear();
    m_evaluations = 0;
    m_adjustments = 0;
    for (int n = 1; n <= 2; ++n) {
        const int position = w.session(n).settings.fineGain;
        m_ranges.at(static_cast<std::size_t>(n - 1)) = FineGainRange{position, position};
    }
}

double GainStabilization::lowestRatio(int n) const { return (fineGainRange(n).lowest + 1) / kFineGainSteps; }

double GainStabilization::highestRatio(int n) const { return (fineGainRange(n).highest + 1) / kFineGainSteps; }

}  // namespace mca
