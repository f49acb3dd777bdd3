// The instrument's serial protocol, host side: the bytes of every command with their arguments,
// and the pauses the instrument needs between them. Encoders are pure; senders write to a port and
// take their pauses through the Waiter, so tests run them in virtual time.
#pragma once

#include "core/hardware_settings.h"
#include "core/instrument_session.h"
#include "core/serial_port.h"
#include "core/waiter.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace mca {

inline constexpr int kInstrumentBaud = 115200;
inline constexpr int kFastBaud = 256000;
inline constexpr int kMetStationBaud = 4800;
inline constexpr int kMaxHvCode = 16383;

// HV code = volts / fullScale x 16383, to the nearest integer (halves to even); above 16382 it is
// sent as 16383, below 0 as 0.
int highVoltageCode(double volts, int hvFullScaleVolts);
// The 14-bit code left-justified in 16 bits, high byte first.
std::array<std::uint8_t, 2> highVoltageBytes(int code);
// Tv = threshold x 2 and Ov = offset x 2 (12 bits each): Tv >> 4; (Tv & 0x0F) << 4 | Ov >> 8;
// Ov & 0xFF. Threshold and offset are hardware-panel units 0..2047.
std::array<std::uint8_t, 3> thresholdOffsetBytes(int threshold, int offset);
// "1" (4096 channels) to "5" (256 channels).
char resolutionModeDigit(ResolutionMode mode);

// The link to one instrument while a command is sent.
struct Link {
    SerialPort& port;
    Waiter& waiter;
    bool networkMode = false;   // some pauses are longer in monitoring-network mode
};

// Setting commands, each with its pauses. All throw SerialPortError when the port fails.
void sendHighVoltage(const Link& link, double volts, int hvFullScaleVolts);
void sendPrepareHighVoltageOff(const Link& link);
void sendThresholdOffset(const Link& link, int threshold, int offset);
void sendCoarseGain(const Link& link, int index);
void sendFineGain(const Link& link, int position);
void sendInput(const Link& link, int index);
void sendShapingTime(const Link& link, int index);
void sendResolutionMode(const Link& link, ResolutionMode mode);
void sendAdcSmoothing(const Link& link, int digit);
// Output 0 ("Z"/"z") or 1 ("W"/"w").
void sendAlarmOutput(const Link& link, int output, bool on);
void sendTwoByteStream(const Link& link, bool on);
// Switches an instrument's stream format and the host's decoding with it; a carried tail of the
// old format means nothing in the new one and is dropped.
void setTwoByteStream(InstrumentSession& session, Waiter& waiter, bool on);
void sendSerialNumber(const Link& link, const std::string& serial);
void sendHvUnit(const Link& link, int volts);
void sendHvPolarity(const Link& link, bool negative);
void sendNetworkClear(const Link& link);
void sendNetworkQuery(const Link& link);
void sendStart(const Link& link);
void sendStop(const Link& link);

// Baud switches. The fast switch first checks that the computer can run the port at 256000 and
// returns false (the port unchanged) when it cannot.
bool switchToFastBaud(const Link& link);
void switchToNormalBaud(const Link& link);
inline constexpr const char* kFastBaudUnsupported = "This computer does not support 256000 bps";

// The idle battery reading: purge, "B", 100 ms, then two bytes high first when they have come.
std::optional<int> readIdleBattery(const Link& link);
// Volts of a battery reading: reading / 1024 x 12.
double batteryVolts(int reading);

}  // namespace mca
