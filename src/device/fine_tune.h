// The fine-tune tool: with a check source on the detector it clears, acquires a short spectrum,
// finds the chosen line's peak near its calibrated channel and moves MCA 1's fine gain one step at a
// time until the peak reaches or crosses that channel. Its waits go through the Waiter while the
// acquisition engine's tick runs, so tests drive it in virtual time.
#pragma once

#include "calibration/energy_calibration.h"
#include "core/workstation.h"
#include "device/fine_tune_gain_control.h"
#include "device/fine_tune_hooks.h"
#include "device/fine_tune_peak.h"

#include <optional>
#include <string>

namespace mca {

class AcquisitionEngine;

inline constexpr const char* kFineTuneInProgress = "Fine tuning in progress.  Please wait...";
inline constexpr const char* kFineTuneExiting = "Exiting Fine Tuning.  Please wait...";
inline constexpr const char* kFineTuneNeedsLine = "Nuclide and energy must be selected to perform fine tuning.";
inline constexpr const char* kFineTuneUnsavedQuestion =
    "Current spectrum has not been saved, and will be cleared during fine tuning.  Save now?";
inline constexpr const char* kFineTuneCompleted = "Fine gain adjustment completed.";
inline constexpr const char* kFineGainAtHighest = "Fine gain already at highest value!  Auto Fine Gain cannot proceed!";
inline constexpr const char* kFineGainAtLowest = "Fine gain already at lowest value!  Auto Fine Gain cannot proceed!";

inline constexpr int kFineTuneInstrument = 1;
inline constexpr int kFineTuneMaxAcquisitions = 5;
inline constexpr int kFineTuneFirstSeconds = 9;
inline constexpr int kFineTuneFurtherSeconds = 10;

enum class FineTuneOutcome {
    NotStarted,   // refused before anything was cleared
    Completed,    // the peak reached its channel; the tool has closed
    Refused,      // the fine gain is at 0 or 255 and would have to go further; the tool stays open
    Cancelled,    // "&Cancel" during the run; the tool has closed
    Interrupted,  // the instrument went away or would not start; the tool stays open
};

// What the tool's window shows while it works.
struct FineTuneProgress {
    int step = 0;                   // i: fine-gain steps made so far
    int acquisition = 0;            // acquisitions of the current step, 1..5
    double expectedChannel = 0.0;   // unrounded channel of the line energy
    std::optional<FineTunePeak> peak;
    std::optional<double> offset;   // peak channel - expected channel
    std::optional<double> previousOffset;
};

class FineTune {
public:
    FineTune(Workstation& w, AcquisitionEngine& engine, FineGainControl& control, FineTuneHooks& hooks,
             const EnergyCalibration& calibration);

    // The "Fine" tool button or "Fine Tune...": stops a running acquisition, shows the hardware
    // panel, disables the main window and remembers MCA 1's fine-gain position. Refused (false)
    // offline or without an energy calibration, as the menu is then disabled.
    bool open();

    // The window's choice: nuclide name and the line's energy text in keV. The window lists a
    // nuclide's lines with fineTuneLineText.
    std::string nuclide = "Cs-137";
    std::string lineEnergy = "661.7";

    // "&Fine Tune": runs the whole procedure and returns when it has ended.
    FineTuneOutcome fineTune();
    // "&Cancel": ends a run at once, puts back the fine-gain position the tool opened with, and
    // closes the tool. Also closes an idle tool.
    void cancel();
    // Closing the window; during a run it cancels.
    void close();

    bool isOpen() const { return m_open; }
    bool running() const { return m_running; }
    const std::string& label() const { return m_label; }
    bool fineTuneButtonEnabled() const { return m_buttonEnabled; }
    const FineTuneProgress& progress() const { return m_progress; }

private:
    struct SavedPresets {
        int realTime;
        bool realTimeOn;
        int counts;
        bool countsOn;
    };

    FineTuneOutcome tuneSteps(double energyKeV);
    std::optional<FineTunePeak> measurePeak(double energyKeV);
    bool acquireFor(int seconds);
    // nullopt when the step was sent and the next one follows.
    std::optional<FineTuneOutcome> stepFineGain(double energyKeV, const FineTunePeak& peak);
    void finishClose();

    Workstation& m_w;
    AcquisitionEngine& m_engine;
    FineGainControl& m_control;
    FineTuneHooks& m_hooks;
    const EnergyCalibration& m_calibration;

    bool m_open = false;
    bool m_running = false;
    bool m_cancelled = false;
    bool m_buttonEnabled = true;
    std::string m_label;
    int m_openingPosition = 127;
    std::optional<SavedPresets> m_savedPresets;
    FineTuneProgress m_progress;
};

// A line as the tool's list shows it: up to four significant digits ("661.7", "1461").
std::string fineTuneLineText(double energyKeV);

}  // namespace mca
