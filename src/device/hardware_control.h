// The hardware settings commands: the Set buttons of the hardware panel (also called by scripts,
// external commands and fine tuning), the resolution mode and ADC smoothing, switching the high
// voltage on and off, the not-to-exceed voltage, and the steps with which the start, open, detector
// and close sequences bring an instrument to its detector's settings.
//
// Every Set operation addresses the instrument `addressedInstrument` chooses, stops a running
// acquisition around its commands, records what it sent in the session's settings and in the
// selected detector record, and then sends every other edit that is still pending.
#pragma once

#include "calibration/detector_databases.h"
#include "core/start_close_steps.h"
#include "core/workstation.h"
#include "device/acquisition_engine.h"
#include "device/hardware_panel.h"
#include "device/hv_ramp.h"
#include "device/protocol.h"

#include <array>
#include <functional>

namespace mca {

// The offset that goes out with a threshold: 2 x threshold up to 100, threshold + 100 above,
// never beyond the offset's 2047.
int offsetForThreshold(int threshold);

// The "X" digit that suits a resolution mode: 4 for 4096 and 2048 channels, 3 for 1024, 2 for
// 512, 1 for 256.
int adcSmoothingFor(ResolutionMode mode);

// The instrument the resolution mode and the ADC smoothing address: the hardware target or the
// four-chart chooser, otherwise MCA 1; the hardware panel's choice plays no part.
int modeAddressedInstrument(const AppState& state);

// The chart's X axis, in channels.
struct ChartXAxis {
    int first = -1;
    int last = kMaxChannels - 2;
};

class HardwareControl {
public:
    // Every reference must outlive the control.
    HardwareControl(Workstation& workstation, AcquisitionEngine& engine, DetectorDatabases& databases, HvRamp& ramp);

    HardwarePanel& panel() { return m_panel; }
    const HardwarePanel& panel() const { return m_panel; }
    // The hardware-panel choice and "Use this detector": instrument n's cached settings into the
    // panel, with its HV limit; no Set button enabled.
    void showInstrument(int n);

    // The Set buttons: the panel's value to the addressed instrument. Each returns false, doing
    // nothing, when that instrument is offline or not open, its detector table was never loaded,
    // or another hardware command is still running (its pauses keep events flowing; an edit made
    // meanwhile goes out with that command's pending edits). A port that
    // fails is reported to the operator and gives false; the acquisition is restarted all the same.
    bool setHighVoltage();     // clamped to the HV limit; waits for the HV ramp
    bool setThreshold();       // the offset follows the threshold, see offsetForThreshold
    bool setInput();
    bool setCoarseGain();      // the fine gain goes out after it
    bool setFineGain();
    bool setShapingTime();
    bool setOffset();          // offset = MinOffset, sent with the current threshold
    // The same with a value put into the panel first.
    bool setHighVoltage(double volts);
    bool setThreshold(int threshold);
    bool setInput(int index);
    bool setCoarseGain(int index);
    bool setFineGain(int position);
    bool setShapingTime(int index);
    // Fine tuning and gain stabilization: position (clamped to 0..255) to instrument n as "Set
    // Fi&ne" sends it, but without the panel's other pending edits: a background adjustment must
    // never send a value the operator is still typing.
    bool setFineGainOf(int n, int position);
    // Leaves `position` in the panel's fine-gain field as a pending edit when it shows instrument n.
    void showPendingFineGain(int n, int position);
    // The service "Set Offset": instrument n's current threshold with an offset typed by hand
    // (0..2047); no other pending edit goes with it.
    bool setOffsetOf(int n, int offset);

    // Menu "Disable High &Voltage" / "Enable High &Voltage" on the addressed instrument: 0 V, or
    // the restore voltage, with the ramp; the status texts and the menu caption follow. Neither
    // touches the detector record, which keeps the working voltage.
    bool disableHighVoltage();
    bool enableHighVoltage();
    // What "Enable High Voltage" restores on instrument n: a non-zero HV typed into the panel since
    // the last HV command, else the last non-zero HV applied.
    double restoreVoltage(int n) const;
    bool highVoltageOn(int n) const;

    // "Set NTE Volts" (only while "Edit NTE Voltage" is ticked) and its scripted form: held to
    // 0..HV unit, written into column 7 and made the HV limit of the addressed instrument.
    bool setNotToExceed();
    bool setNotToExceed(double volts);

    // Resolution mode m = 1 (4096 channels) .. 5 (256): stops an acquisition (it is not restarted:
    // the spectrum's channels change), sends the mode and the ADC smoothing that suits it (0 while
    // ADC corrections are off), sets the chart's X axis to -1..channels-2, the bold mode button
    // and the channel count. False for m outside 1..5 and as for the Set buttons.
    bool setMode(int m);
    // The same on instrument n; "Use this detector" sets the record's channel count with it.
    bool setModeOf(int n, ResolutionMode mode);
    // "Smudge 0" .. "Smudge 4". Sends only.
    bool setAdcSmoothing(int digit);
    // "Disable ADC Corrections" (off) sends smoothing 0; on again sends the mode's smoothing.
    bool setAdcCorrections(bool on);
    bool adcCorrectionsOn() const { return m_adcCorrections; }
    int boldModeButton() const { return m_boldModeButton; }   // 1..5
    ChartXAxis xAxis(int n) const;

    // Start and open sequences: one detector setting of instrument n from its cached settings,
    // and instrument n's high voltage with the ramp (0 at close). They write nothing into the
    // detector record: its values are what they send.
    void applySetting(int n, SettingStep step);
    void setInstrumentHighVoltage(int n, double volts);

    // "Use this detector" once start-up has ended: input, coarse gain, fine gain, shaping time and
    // threshold, then (not after Select/Change) the high voltage, from instrument n's settings.
    bool sendDetectorSettings(int n);
    bool sendDetectorHighVoltage(int n);

    // Select/Change: HV entry 0, "p" and 0 V to instrument n, then the ramp down, which makes 0
    // the previous HV.
    void switchHighVoltageOff(int n);
    void rampHighVoltageDown(int n);

    // Close: when the menu switched instrument n's HV off, its working voltage goes back into
    // column 6 of the selected record.
    void writeBackWorkingHighVoltage(int n);

    // A hardware command is running; the panel's controls are disabled meanwhile.
    bool busy() const { return m_busy; }

private:
    struct Frame {
        bool settle = false;        // wait 100 ms after stopping an acquisition (HV and input)
        bool needsRecord = true;    // writes into the detector record
        bool restart = true;        // start a stopped acquisition again
    };

    bool linked(int n) const;
    bool usable(int n, const Frame& frame) const;
    bool runFramed(int n, const Frame& frame, const std::function<void()>& body);
    bool setFromPanel(SetButton button);
    void sendPendingEdits(int n);
    void sendEdit(int n, SetButton button);
    void transmit(int n, SetButton button, const HardwareSettings& values);
    void writeRecord(int n, SetButton button);
    double transmitHighVoltage(int n, double volts);
    void transmitThreshold(int n, int threshold);
    void sendOffset(int n, int offset);
    void showHighVoltageStatus(int n, double volts);
    void showOnPanel(int n, SetButton button);
    void reportPortFailure(const SerialPortError& error);
    Link linkTo(int n);

    Workstation& m_w;
    AcquisitionEngine& m_engine;
    DetectorDatabases& m_databases;
    HvRamp& m_ramp;
    HardwarePanel m_panel;
    bool m_busy = false;
    bool m_adcCorrections = true;
    int m_boldModeButton = 1;
    std::array<ChartXAxis, kInstrumentCount> m_xAxis{};
    std::array<bool, kInstrumentCount> m_hvOn{};
    std::array<bool, kInstrumentCount> m_hvOffByMenu{};
};

}  // namespace mca
