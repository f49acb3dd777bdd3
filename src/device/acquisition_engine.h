// The acquisition engine: Start, Stop, Clear and Clear-and-restart, the one-second tick that turns
// the open instruments' event streams into spectra, the common real-time clock, the presets, dead
// time, count rates and the end of an acquisition, and the idle battery poll.
#pragma once

#include "core/workstation.h"
#include "device/acquisition_hooks.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mca {

inline constexpr int kTickMilliseconds = 1000;
inline constexpr int kIdlePollMilliseconds = 30000;
inline constexpr const char* kPresetMetMessage =
    "Cannot start acquisition when either the Time or Total Counts preset has been been met or exceeded!";

struct BatteryRow {
    std::string dateTime;
    std::string volts;   // two decimals
    std::string rate;    // MCA 1's displayed rate, no decimals
};

class AcquisitionEngine {
public:
    AcquisitionEngine(Workstation& workstation, AcquisitionHooks& hooks);
    ~AcquisitionEngine();
    AcquisitionEngine(const AcquisitionEngine&) = delete;
    AcquisitionEngine& operator=(const AcquisitionEngine&) = delete;

    // Starts every open instrument. Returns false, with a beep and a message, when every armed
    // preset is already met; false without a word when already acquiring or nothing is open.
    bool startAcquisition();
    void stopAcquisition();
    // Erases the instrument chosen in the four-chart layout, or all of them.
    void clearSpectrum();
    void clearAndRestart();
    // One acquisition tick; the timer calls it every second while acquiring.
    void tick();

    void startIdlePoll();
    void stopIdlePoll();
    // Reads the battery of MCA 1 and of the second instrument while idle.
    void pollIdleBattery();

    // "Save Complete Spectrum on End of Acquisition".
    bool saveOnEnd = false;
    // "Track Batt Volts" (MCA 1): a row per battery record.
    bool trackBattery = false;
    const std::vector<BatteryRow>& batteryTable() const { return m_batteryTable; }
    // The event log of MCA 1 ("File"): on starts an empty log; off writes a non-empty one to
    // Spectra/ as "yyyy mm dd hh-nn-ss.txt", one channel per line, and returns its path.
    std::optional<std::filesystem::path> setEventLog(bool on);
    bool eventLogOn() const { return m_eventLogOn; }
    int stabilizationTick() const { return m_stabilizationTick; }

private:
    bool presetsAllMet() const;
    void sendToOpenInstruments(const char* command);
    void purgeOpenPorts();
    void linkLost(int instrument, const std::exception& error);
    void decodeAll();
    void advanceClock(double elapsedSeconds);
    void requestBatteryRecords();
    void updateDeadTime();
    void accumulate();
    void addTickCounts(Spectrum& spectrum, bool keepLastTick) const;
    bool presetReached() const;
    void endOfAcquisition();
    void ring();
    void updateRates(double elapsedSeconds);
    void clearInstrument(int n);
    void noteBattery(int instrument);
    double secondsSinceStart() const;

    Workstation& m_w;
    AcquisitionHooks& m_hooks;
    std::optional<TimerId> m_tickTimer;
    std::optional<TimerId> m_idleTimer;
    std::int64_t m_startSteadyMs = 0;
    bool m_inTick = false;
    int m_stabilizationTick = 1;
    bool m_eventLogOn = false;
    std::vector<std::uint16_t> m_eventLog;
    std::vector<BatteryRow> m_batteryTable;
};

}  // namespace mca
