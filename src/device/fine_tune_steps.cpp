// The fine-tune loop: each step clears, acquires until the line stands out, finds its peak, and
// either ends (the offset reached or crossed zero) or moves the fine gain one position towards it.
// With a rising calibration every step moves the gain the same way until the offset changes sign,
// so the loop ends at the latest when the position reaches 0 or 255; Cancel ends it in any case.
#include "device/fine_tune.h"

#include "core/number_text.h"
#include "device/acquisition_engine.h"

#include <cmath>

namespace mca {

namespace {

constexpr int kWaitStepMs = 100;
// The tick stops the acquisition at its preset; this only bounds the wait should no tick come.
constexpr int kWaitMarginSeconds = 30;

}  // namespace

FineTuneOutcome FineTune::tuneSteps(double energyKeV) {
    int positionBeforeStep = m_w.session(kFineTuneInstrument).settings.fineGain;
    for (int i = 0;; ++i) {
        m_progress.step = i;
        const auto peak = measurePeak(energyKeV);
        if (!peak) return m_cancelled ? FineTuneOutcome::Cancelled : FineTuneOutcome::Interrupted;
        const double offset = peak->channel - m_progress.expectedChannel;
        const double previous = i == 0 ? offset : m_progress.offset.value_or(offset);
        m_progress.previousOffset = previous;
        m_progress.offset = offset;
        if (fineTuneOffsetReachedZero(previous, offset)) {
            // The last step overshot further than the one before fell short: offer the position
            // before it, for the operator to send with Set.
            if (std::abs(previous) < std::abs(offset)) {
                m_control.showPendingFineGain(m_w, kFineTuneInstrument, positionBeforeStep);
            }
            return FineTuneOutcome::Completed;
        }
        positionBeforeStep = m_w.session(kFineTuneInstrument).settings.fineGain;
        if (const auto ended = stepFineGain(energyKeV, *peak)) return *ended;
    }
}

std::optional<FineTuneOutcome> FineTune::stepFineGain(double energyKeV, const FineTunePeak& peak) {
    const int position = m_w.session(kFineTuneInstrument).settings.fineGain;
    const bool peakLow = energyKeV >= ChannelToKeV(m_calibration, peak.channel);
    if (peakLow && position >= kMaxFineGain) {
        m_w.op().message(kFineGainAtHighest);
        return FineTuneOutcome::Refused;
    }
    if (!peakLow && position <= 0) {
        m_w.op().message(kFineGainAtLowest);
        return FineTuneOutcome::Refused;
    }
    if (!m_control.setFineGain(m_w, kFineTuneInstrument, position + (peakLow ? 1 : -1))) {
        return FineTuneOutcome::Interrupted;
    }
    return std::nullopt;
}

std::optional<FineTunePeak> FineTune::measurePeak(double energyKeV) {
    AppState& st = m_w.state;
    st.presetRealTime = 0;
    st.presetRealTimeOn = true;
    st.presetCountsOn = false;
    m_engine.clearSpectrum();
    const int channels = st.channelCount;
    m_progress.expectedChannel = KeVToChannel(m_calibration, energyKeV, channels);
    const auto expected = static_cast<int>(roundHalfEven(m_progress.expectedChannel));
    const auto& counts = m_w.session(kFineTuneInstrument).spectrum.counts;
    FineTunePeak peak;
    for (int a = 1; a <= kFineTuneMaxAcquisitions; ++a) {
        m_progress.acquisition = a;
        if (!acquireFor(a == 1 ? kFineTuneFirstSeconds : kFineTuneFurtherSeconds)) return std::nullopt;
        peak = findFineTunePeak(counts, channels, expected);
        m_progress.peak = peak;
        if (peak.smoothed > kFineTuneEnoughCounts) break;
    }
    return peak;
}

bool FineTune::acquireFor(int seconds) {
    m_w.state.presetRealTime += seconds;
    if (!m_engine.startAcquisition()) return false;
    const int limitMs = (seconds + kWaitMarginSeconds) * 1000;
    for (int waitedMs = 0; m_w.state.acquiring; waitedMs += kWaitStepMs) {
        if (waitedMs >= limitMs) {
            m_engine.stopAcquisition();
            break;
        }
        m_w.platform.waiter.pause(kWaitStepMs);
        if (m_cancelled) return false;
    }
    return m_w.session(kFineTuneInstrument).open;
}

}  // namespace mca
