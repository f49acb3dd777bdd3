// The instrument's reading of the host's bytes: single-character commands, some followed by
// argument bytes, turned into whole commands one byte at a time.
//
// Binary arguments ("V", "T", "1", "F", "#") take any byte, one that looks like a command
// included: a fine gain of 0x52 is "F" "R". Digit arguments ("C", "I", "S", "M", "X") take a
// decimal digit; any other byte abandons the command and is read as a command of its own, so an
// "R" always stops. An argument that has not arrived after kArgumentTimeoutSeconds is abandoned
// too: the host pauses up to about 1.1 s inside a command (after "V"), never for seconds, so a
// host that died half-way through a command cannot leave the next one misread for long.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace mca::sim {

enum class CommandKind {
    Identify,          // "U"
    Stop,              // "R"
    Start,             // "G"
    ReadSerial,        // "@"
    WriteSerial,       // "#" + 6 characters
    ReadFirmware,      // "f"
    ReadPolarity,      // "%", optionally followed at once by "2"
    SetPositive,       // "+"
    SetNegative,       // "-"
    ReadHvUnit,        // "2"
    WriteHvUnit,       // "1" + high + low
    SetHighVoltage,    // "V" + 2 bytes
    PrepareHvOff,      // "p"
    SetThreshold,      // "T" + 3 bytes
    SetCoarseGain,     // "C" + digit
    SetFineGain,       // "F" + byte
    SetInput,          // "I" + digit
    SetShaping,        // "S" + digit
    SetResolution,     // "M" + digit
    SetSmoothing,      // "X" + digit
    ReadBattery,       // "B"
    AfterBattery,      // "N"
    Alarm0On,          // "Z"
    Alarm0Off,         // "z"
    Alarm1On,          // "W"
    Alarm1Off,         // "w"
    TwoByteOn,         // "("
    TwoByteOff,        // ")"
    ModeKOn,           // "K"
    ModeKOff,          // "k"
    HighBaud,          // "H"
    LowBaud,           // "L"
    ReadRegisters,     // "r"
    HistogramClear,    // "Y"
    HistogramQuery,    // "Q"
    CloseStart,        // "d"
    CloseEnd,          // "v"
};

struct Command {
    CommandKind kind;
    std::array<std::uint8_t, 6> args{};  // binary bytes, or the digit's value (0..9)
};

class CommandParser {
public:
    static constexpr double kArgumentTimeoutSeconds = 5.0;
    // "%2" is one command; a "2" arriving later than this after "%" reads the HV unit.
    static constexpr double kPolarityTailSeconds = 0.05;

    // Takes one received byte at `nowSeconds` (non-decreasing); returns the command it completes.
    std::optional<Command> feed(std::uint8_t byte, double nowSeconds);
    // Forgets a command whose arguments are still awaited.
    void reset();
    bool awaitingArguments() const { return m_expected > 0; }

private:
    std::optional<Command> startCommand(std::uint8_t byte, double nowSeconds);
    std::optional<Command> takeArgument(std::uint8_t byte);

    Command m_command{CommandKind::Identify};
    int m_expected = 0;     // argument bytes still awaited
    int m_received = 0;
    bool m_digits = false;  // the awaited argument is a decimal digit
    double m_lastByteSeconds = 0;
    std::optional<double> m_polaritySeconds;  // when the last "%" arrived, while a "2" may follow
};

}  // namespace mca::sim
