// Host side of the instrument's serial protocol.
#include "device/protocol.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

namespace {

void put(const Link& link, std::string_view bytes) { link.port.write(std::string(bytes)); }

void putByte(const Link& link, std::uint8_t byte) { link.port.write(std::string(1, static_cast<char>(byte))); }

void putDigit(const Link& link, int digit) { link.port.write(std::to_string(digit)); }

void repeatPause(const Link& link, int times, int milliseconds) {
    for (int i = 0; i < times; ++i) link.waiter.pause(milliseconds);
}

// The pause after a command letter that is longer in monitoring-network mode.
int commandPause(const Link& link) { return link.networkMode ? 250 : 100; }

}  // namespace

int highVoltageCode(double volts, int hvFullScaleVolts) {
    if (hvFullScaleVolts <= 0) return 0;
    const long long code = roundHalfEven(volts / hvFullScaleVolts * kMaxHvCode);
    if (code > kMaxHvCode - 1) return kMaxHvCode;
    return static_cast<int>(std::max(code, 0LL));
}

std::array<std::uint8_t, 2> highVoltageBytes(int code) {
    return {static_cast<std::uint8_t>((code >> 6) & 0xFF), static_cast<std::uint8_t>((code << 2) & 0xFF)};
}

std::array<std::uint8_t, 3> thresholdOffsetBytes(int threshold, int offset) {
    const int tv = (threshold * 2) & 0x0FFF;
    const int ov = (offset * 2) & 0x0FFF;
    return {static_cast<std::uint8_t>(tv >> 4), static_cast<std::uint8_t>(((tv & 0x0F) << 4) | (ov >> 8)),
            static_cast<std::uint8_t>(ov & 0xFF)};
}

char resolutionModeDigit(ResolutionMode mode) { return static_cast<char>('1' + static_cast<int>(mode)); }

void sendHighVoltage(const Link& link, double volts, int hvFullScaleVolts) {
    put(link, "V");
    repeatPause(link, 8, 70);
    link.waiter.pause(500);
    for (std::uint8_t b : highVoltageBytes(highVoltageCode(volts, hvFullScaleVolts))) {
        putByte(link, b);
        link.waiter.pause(100);
    }
}

void sendPrepareHighVoltageOff(const Link& link) { put(link, "p"); }

void sendThresholdOffset(const Link& link, int threshold, int offset) {
    put(link, "T");
    link.waiter.pause(commandPause(link));
    for (std::uint8_t b : thresholdOffsetBytes(threshold, offset)) {
        putByte(link, b);
        link.waiter.pause(100);
    }
}

void sendCoarseGain(const Link& link, int index) {
    link.port.purge();
    put(link, "C");
    link.waiter.pause(commandPause(link));
    putDigit(link, index);
    repeatPause(link, 6, 50);
}

void sendFineGain(const Link& link, int position) {
    put(link, "F");
    link.waiter.pause(commandPause(link));
    putByte(link, static_cast<std::uint8_t>(std::clamp(position, 0, kMaxFineGain)));
    link.waiter.pause(100);
}

void sendInput(const Link& link, int index) {
    put(link, "I");
    link.waiter.pause(100);
    putDigit(link, index);
    repeatPause(link, 6, 50);
}

void sendShapingTime(const Link& link, int index) {
    put(link, "S");
    link.waiter.pause(commandPause(link));
    putDigit(link, index);
    link.waiter.pause(200);
}

void sendResolutionMode(const Link& link, ResolutionMode mode) {
    put(link, "M");
    link.waiter.pause(500);
    put(link, std::string(1, resolutionModeDigit(mode)));
}

void sendAdcSmoothing(const Link& link, int digit) {
    put(link, "X");
    link.waiter.pause(link.networkMode ? 205 : 5);
    putDigit(link, digit);
    link.waiter.pause(1);
}

void sendAlarmOutput(const Link& link, int output, bool on) {
    static constexpr const char* kCommands[2][2] = {{"z", "Z"}, {"w", "W"}};
    put(link, kCommands[output == 0 ? 0 : 1][on ? 1 : 0]);
    if (link.networkMode) link.waiter.pause(250);
}

void sendTwoByteStream(const Link& link, bool on) { put(link, on ? "(" : ")"); }

void setTwoByteStream(InstrumentSession& session, Waiter& waiter, bool on) {
    if (session.port) sendTwoByteStream(Link{*session.port, waiter}, on);
    session.twoByteDecoding = on;
    session.rxCarry.clear();
}

void sendSerialNumber(const Link& link, const std::string& serial) {
    put(link, "#");
    link.waiter.pause(500);
    for (char c : serial.substr(0, 6)) put(link, std::string(1, c));
}

void sendHvUnit(const Link& link, int volts) {
    put(link, "1");
    link.waiter.pause(50);
    putByte(link, static_cast<std::uint8_t>((volts >> 8) & 0xFF));
    link.waiter.pause(100);
    putByte(link, static_cast<std::uint8_t>(volts & 0xFF));
    link.waiter.pause(100);
}

void sendHvPolarity(const Link& link, bool negative) { put(link, negative ? "-" : "+"); }

void sendNetworkClear(const Link& link) {
    put(link, "Y");
    link.waiter.pause(500);
}

void sendNetworkQuery(const Link& link) { put(link, "Q"); }

void sendStart(const Link& link) { put(link, "G"); }

void sendStop(const Link& link) { put(link, "R"); }

bool switchToFastBaud(const Link& link) {
    try {
        link.port.setBaudRate(kFastBaud);
    } catch (const SerialPortError&) {
        link.port.setBaudRate(kInstrumentBaud);
        return false;
    }
    link.port.setBaudRate(kInstrumentBaud);
    put(link, "H");
    link.port.setBaudRate(kFastBaud);
    return true;
}

void switchToNormalBaud(const Link& link) {
    put(link, "L");
    link.port.setBaudRate(kInstrumentBaud);
    link.waiter.pause(250);
}

std::optional<int> readIdleBattery(const Link& link) {
    link.port.purge();
    put(link, "B");
    link.waiter.pause(100);
    if (link.port.queuedCount() < 2) return std::nullopt;
    const std::string bytes = link.port.readAll();
    if (bytes.size() < 2) return std::nullopt;
    return static_cast<std::uint8_t>(bytes[0]) * 256 + static_cast<std::uint8_t>(bytes[1]);
}

double batteryVolts(int reading) { return reading / 1024.0 * 12.0; }

}  // namespace mca
