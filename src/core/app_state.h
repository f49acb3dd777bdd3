// Process-wide state: edition and run mode, the acquisition clock and presets shared by every
// instrument, and the flags that say what has not been saved yet.
#pragma once

#include "core/date_time.h"
#include "core/edition.h"

#include <cstdint>
#include <string>

namespace mca {

enum class NetworkAcquisition { None, Continuous, Gcal, Rcal };

// The two-instrument layout's chart: one instrument, their sum, or one chart each.
enum class TwoInstrumentView { Mca1, Mca2, Combined, Split };

// The four-chart layout's instrument chooser: "All VORA-IIs" or "#1" to "#4".
enum class InstrumentChooser { All, Mca1, Mca2, Mca3, Mca4 };

struct ViewSelection {
    TwoInstrumentView twoInstrumentView = TwoInstrumentView::Mca1;
    int hardwarePanelInstrument = 1;     // "MCA 1" / "MCA 2" of the two-instrument layout
    InstrumentChooser chooser = InstrumentChooser::All;
};

enum class EnergyCalibrationKind { None, Linear, Quadratic };

inline constexpr int kNoForcedComPort = 1000;
inline constexpr int kScreenDecides = -1;

struct AppState {
    Edition edition = editionTable().front();
    bool fieldStation = false;
    bool offline = false;
    bool networkMode = false;
    NetworkAcquisition networkAcquisition = NetworkAcquisition::None;
    std::string networkPrefix;
    bool quadLayout = false;
    bool plainFileHeader = false;        // -SEC
    int forcedComPort = kNoForcedComPort;
    bool acquiring = false;
    int hardwareTarget = 1;              // 1..4, or kScreenDecides once start-up has ended
    double realTime = 0.0;               // seconds, common to all instruments
    DateTime lastTickTime;
    std::int64_t lastTickSteadyMs = 0;   // steady time of lastTickTime, for durations
    DateTime startTime;
    std::string startDateText;
    std::string stopDateText;
    int presetRealTime = 1;
    bool presetRealTimeOn = false;
    int presetCounts = 1;
    bool presetCountsOn = false;
    int deadTimeCreditMax = 15;
    bool deadTimeCorrection = true;
    int eventCreditCap = 15;
    int channelCount = 4096;
    bool spectrumUnsaved = false;
    bool roiSetUnsaved = false;
    EnergyCalibrationKind energyCalibration = EnergyCalibrationKind::None;
    bool fineTuneActive = false;
    bool presetStop = false;
    bool scriptStartedAcquisition = false;
    std::string programVersion;
    ViewSelection view;

    // The credit cap follows the correction switch: the cap, or 1 with corrections off.
    void updateEventCreditCap() { eventCreditCap = deadTimeCorrection ? deadTimeCreditMax : 1; }
};

}  // namespace mca
