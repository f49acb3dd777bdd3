// The service controls, offered only when the marker file VESKAR.txt is in the application folder
// and the workstation is online: preset gain and HV buttons on the hardware panel, and on the
// service panels the serial number, firmware, polarity, HV unit, PDA mode, baud rate, two-byte
// stream and battery-tracking commands. The service panels talk to MCA 1.
#pragma once

#include "device/acquisition_engine.h"
#include "device/hardware_control.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

inline constexpr std::string_view kServiceMarkerFile = "VESKAR.txt";
inline constexpr int kServiceInstrument = 1;

inline constexpr std::string_view kSerialMustBeginWith2 =
    "MCA serial numbers MUST begin with the character \"2\" followed by five numerals. S/N write aborted.";
inline constexpr std::string_view kSerialMustBeSixDigits =
    "MCA serial numbers MUST consist of a six-character numeric string beginning with \"2\". S/N write aborted.";
inline constexpr std::string_view kNoReadSerialWhileAcquiring = "Cannot read serial number while acquiring data!";
inline constexpr std::string_view kNoWriteSerialWhileAcquiring = "Cannot write serial number while acquiring data!";
inline constexpr std::string_view kNoFirmwareWhileAcquiring =
    "Cannot read firmware revision number while acquiring data!";
inline constexpr std::string_view kNoPolaritySelected = "No polarity was selected!";
inline constexpr std::string_view kNoHvUnitEntered = "No value entered in the HV Unit field!";
inline constexpr std::string_view kNoSetPdaWhileAcquiring = "Cannot Set PDA Mode while acquiring data!";
inline constexpr std::string_view kNoEndPdaWhileAcquiring = "Cannot End PDA Mode while acquiring data!";
// Our own: these replies would be lost in a running event stream just as the others would.
inline constexpr std::string_view kNoPolarityWhileAcquiring = "Cannot read HV polarity while acquiring data!";
inline constexpr std::string_view kNoHvUnitWhileAcquiring = "Cannot read HV unit while acquiring data!";

inline constexpr std::string_view kPositiveSupplyText = "Positive HV Supply";
inline constexpr std::string_view kNegativeSupplyText = "Negative HV Supply";

struct GainPreset {
    std::string_view caption;
    int coarseGainIndex;
    int fineGainPosition;
};
inline constexpr std::array<GainPreset, 4> kGainPresets{{
    {"Gain 1.5", 0, 191},
    {"Gain 0.5", 0, 63},
    {"Gain x4-1.0", 1, 63},
    {"Gain x2-1.0", 0, 127},
}};

struct HvPreset {
    std::string_view caption;
    double volts;
};
inline constexpr std::array<HvPreset, 5> kHvPresets{{
    {"0 V", 0}, {"500 V", 500}, {"1 KV", 1000}, {"1.5 KV", 1500}, {"2 KV", 2000},
}};

// Whether the service controls are shown: the marker file exists and the workstation is online.
bool serviceControlsShown(const Workstation& w);

// What the service panel's read-out fields show.
struct ServiceFields {
    std::string serialNumber;
    std::string polarity;     // kPositiveSupplyText / kNegativeSupplyText
    std::string hvUnit;       // volts
};

class ServiceCommands {
public:
    ServiceCommands(Workstation& workstation, AcquisitionEngine& engine, HardwareControl& control);

    // Every command below does nothing, returning false or nullopt, unless the service controls
    // are shown, MCA 1 is open and no other hardware command runs. Reply reads are bounded: the
    // serial number and firmware 25 rounds of 2 x 100 ms, the polarity 15 x 100 ms, the HV unit
    // 15 x 50 ms, the PDA reply 20 x 100 ms; a reply that does not come gives nullopt. Commands
    // that talk to the port throw SerialPortError when it fails.

    // Hardware panel: coarse and fine gain, or the HV, through the Set buttons.
    bool applyGainPreset(const GainPreset& preset);
    bool applyHvPreset(const HvPreset& preset);

    std::optional<std::string> readSerialNumber();
    // Exactly six digits beginning with "2", else a refusal naming the rule.
    bool writeSerialNumber(const std::string& serial);
    // Shows "<instrument name> Firmware version " + the reply.
    std::optional<std::string> readFirmware();
    // Firmware 1.08 or later only. True for a negative supply.
    std::optional<bool> readPolarity();
    // nullopt (no choice made) is refused.
    bool writePolarity(std::optional<bool> negative);
    // Firmware 1.08 or later only; asked until the reading is not zero.
    std::optional<int> readHvUnit();
    // The HV unit field's text, whole volts 1..65535; it also becomes MCA 1's HV full scale.
    bool writeHvUnit(const std::string& field);
    // "K" / "k"; the instrument's reply is shown.
    bool setPdaMode();
    bool endPdaMode();
    // "This computer does not support 256000 bps" when the port cannot run at 256000.
    bool switchToFastBaud();
    bool switchToNormalBaud();
    bool setTwoByteStream(bool on);
    // "Override Offset": MCA 1's threshold with this offset.
    bool setOffsetOverride(int offset);

    // "Track Batt Volts", and "Save" / "Clear" of the battery table.
    void trackBattery(bool on);
    std::vector<BatteryRow> batteryRows() const;
    // Asks for a file and writes the rows as comma-separated lines; false when cancelled or the
    // file could not be written (the operator is told why).
    bool saveBatteryTable();
    void clearBatteryTable();

    const ServiceFields& fields() const { return m_fields; }

private:
    bool ready() const;
    bool refusedWhileAcquiring(std::string_view message);
    bool firmwareAnswersQueries() const;
    bool sendPdaCommand(const char* command, std::string_view refusal);
    void useHvUnit(int volts);
    void show(std::string_view text, MessageKind kind = MessageKind::Information);
    Link link();

    Workstation& m_w;
    AcquisitionEngine& m_engine;
    HardwareControl& m_control;
    ServiceFields m_fields;
    bool m_busy = false;
    // The engine keeps every battery row of the session; "Clear" hides those taken so far.
    std::size_t m_batteryRowsCleared = 0;
};

}  // namespace mca
