// The fine-tune tool's commands: opening, "&Fine Tune", "&Cancel" and closing. The measuring and
// stepping loop is in fine_tune_steps.cpp.
#include "device/fine_tune.h"

#include "core/number_text.h"
#include "device/acquisition_engine.h"

namespace mca {

namespace {

constexpr int kLineSignificantDigits = 4;

}  // namespace

std::string fineTuneLineText(double energyKeV) { return formatGeneral(energyKeV, kLineSignificantDigits); }

FineTune::FineTune(Workstation& w, AcquisitionEngine& engine, FineGainControl& control, FineTuneHooks& hooks,
                   const EnergyCalibration& calibration)
    : m_w(w), m_engine(engine), m_control(control), m_hooks(hooks), m_calibration(calibration) {}

bool FineTune::open() {
    if (m_open) return true;
    if (m_w.state.offline || energyCalibrationKind(m_calibration) == EnergyCalibrationKind::None) return false;
    m_engine.stopAcquisition();
    m_hooks.showHardwarePanel(m_w);
    m_hooks.setMainWindowEnabled(m_w, false);
    m_openingPosition = m_w.session(kFineTuneInstrument).settings.fineGain;
    m_savedPresets.reset();
    m_label.clear();
    m_buttonEnabled = true;
    m_cancelled = false;
    m_progress = {};
    m_open = true;
    // Suppresses the end-of-acquisition ring and the field-station end actions.
    m_w.state.fineTuneActive = true;
    return true;
}

FineTuneOutcome FineTune::fineTune() {
    if (!m_open || m_running) return FineTuneOutcome::NotStarted;
    const auto energy = parseFloat(lineEnergy);
    if (nuclide.empty() || !energy || *energy <= 0.0) {
        m_w.op().message(kFineTuneNeedsLine);
        return FineTuneOutcome::NotStarted;
    }
    Operator& op = m_w.op();
    if (m_w.state.spectrumUnsaved &&
        op.question(kFineTuneUnsavedQuestion, std::string(m_w.state.edition.windowCaption), kYesNo) == Answer::Yes) {
        m_hooks.saveSpectrumAs(m_w);
    }
    op.message("Make sure the " + nuclide + " source is on the detector.");
    // A second run after a refusal must not take the tool's own presets for the operator's.
    if (!m_savedPresets) {
        const AppState& st = m_w.state;
        m_savedPresets = SavedPresets{st.presetRealTime, st.presetRealTimeOn, st.presetCounts, st.presetCountsOn};
    }
    m_label = kFineTuneInProgress;
    m_buttonEnabled = false;
    m_progress = {};
    m_cancelled = false;
    m_running = true;
    const FineTuneOutcome outcome = tuneSteps(*energy);
    m_running = false;
    if (outcome == FineTuneOutcome::Completed) {
        op.beep();
        op.message(kFineTuneCompleted);
        close();
    } else if (outcome != FineTuneOutcome::Cancelled) {
        m_label.clear();
        m_buttonEnabled = true;
    }
    return outcome;
}

void FineTune::cancel() {
    if (!m_open) return;
    m_label = kFineTuneExiting;
    m_cancelled = true;
    // Stopped first, so that putting the position back does not start the acquisition again.
    m_engine.stopAcquisition();
    m_control.setFineGain(m_w, kFineTuneInstrument, m_openingPosition);
    finishClose();
}

void FineTune::close() {
    if (!m_open) return;
    if (m_running && !m_cancelled) {
        cancel();
        return;
    }
    finishClose();
}

void FineTune::finishClose() {
    m_label = kFineTuneExiting;
    m_hooks.showFullSpectrum(m_w);
    m_hooks.setMainWindowEnabled(m_w, true);
    if (m_savedPresets) {
        AppState& st = m_w.state;
        st.presetRealTime = m_savedPresets->realTime;
        st.presetRealTimeOn = m_savedPresets->realTimeOn;
        st.presetCounts = m_savedPresets->counts;
        st.presetCountsOn = m_savedPresets->countsOn;
        m_savedPresets.reset();
    }
    m_w.state.fineTuneActive = false;
    m_open = false;
    m_hooks.closeWindow(m_w);
}

}  // namespace mca
