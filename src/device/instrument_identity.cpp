// The bounded question-and-answer loops of opening an instrument.
#include "device/instrument_identity.h"

#include "core/number_text.h"

#include <algorithm>
#include <cstdint>

namespace mca {

namespace {

constexpr int kSerialRoundPauseMs = 100;
constexpr int kSerialLength = 6;
constexpr int kFirmwareRounds = 25;
constexpr int kFirmwareRoundPauseMs = 100;
constexpr int kFirmwareNetworkExtraMs = 400;
constexpr int kQuestionSettleMs = 100;
constexpr int kPolarityPauseMs = 100;
constexpr int kHvUnitPauseMs = 50;

void repeatPause(const Link& link, int times, int milliseconds) {
    for (int i = 0; i < times; ++i) link.waiter.pause(milliseconds);
}

bool isSerialNumber(const std::string& text) {
    return text.size() >= kSerialLength && text.front() == '2';
}

// Two-byte replies may come split over reads; the bytes wait here until both are in.
class WordReader {
public:
    explicit WordReader(SerialPort& port) : m_port(port) {}

    // The next high-first word when two bytes have come, else 0.
    int next() {
        m_pending += m_port.readAll();
        if (m_pending.size() < 2) return 0;
        const int word = static_cast<std::uint8_t>(m_pending[0]) * 256 + static_cast<std::uint8_t>(m_pending[1]);
        m_pending.erase(0, 2);
        return word;
    }

private:
    SerialPort& m_port;
    std::string m_pending;
};

// Purge, 100 ms, the question, then up to `tries` pauses each followed by a word reading; the first
// word that is not zero, or 0.
int askForWord(const Link& link, const char* question, int tries, int pauseMs) {
    link.port.purge();
    link.waiter.pause(kQuestionSettleMs);
    link.port.write(question);
    WordReader reader(link.port);
    for (int i = 0; i < tries; ++i) {
        link.waiter.pause(pauseMs);
        if (const int word = reader.next(); word != 0) return word;
    }
    return 0;
}

}  // namespace

std::optional<std::string> readSerialNumber(const Link& link, int roundPauses) {
    const int pauses = std::max(roundPauses, 1);
    const int rounds = kReplyPatienceMs / (pauses * kSerialRoundPauseMs);
    link.port.purge();
    link.port.write("@");
    std::string text;
    for (int round = 0; round < rounds; ++round) {
        repeatPause(link, pauses, kSerialRoundPauseMs);
        text += link.port.readAll();
        if (!text.empty() && text.front() != '2') text.clear();
        if (isSerialNumber(text)) return text;
    }
    return std::nullopt;
}

std::optional<std::string> readFirmwareText(const Link& link) {
    link.port.readAll();
    link.port.write("f");
    link.waiter.pause(1);
    for (int round = 0; round < kFirmwareRounds; ++round) {
        repeatPause(link, 2, kFirmwareRoundPauseMs);
        if (link.networkMode) link.waiter.pause(kFirmwareNetworkExtraMs);
        std::string text = link.port.readAll();
        if (!text.empty()) return text;
    }
    return std::nullopt;
}

std::optional<double> firmwareRevisionOf(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = text.find_last_not_of(" \t\r\n");
    return parseFloat(text.substr(first, last - first + 1));
}

bool asksPolarityAndHvUnit(double revision, bool networkMode) {
    return !networkMode && revision >= kFirstQueriedRevision;
}

bool readNegativePolarity(const Link& link) {
    link.port.purge();
    link.waiter.pause(kQuestionSettleMs);
    link.port.write("%2");
    for (int i = 0; i < kPolarityTries; ++i) {
        link.waiter.pause(kPolarityPauseMs);
        for (const char c : link.port.readAll()) {
            if (c == '+' || c == '-') return c == '-';
        }
    }
    return false;
}

int readHvUnit(const Link& link) {
    const int volts = askForWord(link, "2", kHvUnitTries, kHvUnitPauseMs);
    return volts != 0 ? volts : kDefaultHvFullScale;
}

std::optional<int> readOpeningBattery(const Link& link, int pauseMs) {
    const int reading = askForWord(link, "B", kBatteryTries, pauseMs);
    if (reading == 0) return std::nullopt;
    return reading;
}

std::string serialStatusText(const InstrumentSession& session) {
    return session.serialNumber + (session.hvNegative ? "N" : "");
}

}  // namespace mca
