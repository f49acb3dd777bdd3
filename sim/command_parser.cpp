// Byte-by-byte reading of the host's commands.
#include "sim/command_parser.h"

#include <algorithm>
#include <array>
#include <utility>

namespace mca::sim {

namespace {

enum class Argument { None, Binary, Digit };

struct CommandByte {
    char byte;
    CommandKind kind;
    Argument argument;
    int argumentBytes;
};

constexpr std::array<CommandByte, 37> kCommands{{
    {'U', CommandKind::Identify, Argument::None, 0},
    {'R', CommandKind::Stop, Argument::None, 0},
    {'G', CommandKind::Start, Argument::None, 0},
    {'@', CommandKind::ReadSerial, Argument::None, 0},
    {'#', CommandKind::WriteSerial, Argument::Binary, 6},
    {'f', CommandKind::ReadFirmware, Argument::None, 0},
    {'%', CommandKind::ReadPolarity, Argument::None, 0},
    {'+', CommandKind::SetPositive, Argument::None, 0},
    {'-', CommandKind::SetNegative, Argument::None, 0},
    {'2', CommandKind::ReadHvUnit, Argument::None, 0},
    {'1', CommandKind::WriteHvUnit, Argument::Binary, 2},
    {'V', CommandKind::SetHighVoltage, Argument::Binary, 2},
    {'p', CommandKind::PrepareHvOff, Argument::None, 0},
    {'T', CommandKind::SetThreshold, Argument::Binary, 3},
    {'C', CommandKind::SetCoarseGain, Argument::Digit, 1},
    {'F', CommandKind::SetFineGain, Argument::Binary, 1},
    {'I', CommandKind::SetInput, Argument::Digit, 1},
    {'S', CommandKind::SetShaping, Argument::Digit, 1},
    {'M', CommandKind::SetResolution, Argument::Digit, 1},
    {'X', CommandKind::SetSmoothing, Argument::Digit, 1},
    {'B', CommandKind::ReadBattery, Argument::None, 0},
    {'N', CommandKind::AfterBattery, Argument::None, 0},
    {'Z', CommandKind::Alarm0On, Argument::None, 0},
    {'z', CommandKind::Alarm0Off, Argument::None, 0},
    {'W', CommandKind::Alarm1On, Argument::None, 0},
    {'w', CommandKind::Alarm1Off, Argument::None, 0},
    {'(', CommandKind::TwoByteOn, Argument::None, 0},
    {')', CommandKind::TwoByteOff, Argument::None, 0},
    {'K', CommandKind::ModeKOn, Argument::None, 0},
    {'k', CommandKind::ModeKOff, Argument::None, 0},
    {'H', CommandKind::HighBaud, Argument::None, 0},
    {'L', CommandKind::LowBaud, Argument::None, 0},
    {'r', CommandKind::ReadRegisters, Argument::None, 0},
    {'Y', CommandKind::HistogramClear, Argument::None, 0},
    {'Q', CommandKind::HistogramQuery, Argument::None, 0},
    {'d', CommandKind::CloseStart, Argument::None, 0},
    {'v', CommandKind::CloseEnd, Argument::None, 0},
}};

const CommandByte* lookUp(std::uint8_t byte) {
    const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                                 [&](const CommandByte& c) { return static_cast<std::uint8_t>(c.byte) == byte; });
    return it == kCommands.end() ? nullptr : &*it;
}

bool isDigit(std::uint8_t byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

void CommandParser::reset() {
    m_expected = 0;
    m_received = 0;
}

std::optional<Command> CommandParser::feed(std::uint8_t byte, double nowSeconds) {
    const double sinceLast = nowSeconds - m_lastByteSeconds;
    m_lastByteSeconds = nowSeconds;
    if (m_expected > 0 && sinceLast > kArgumentTimeoutSeconds) reset();
    if (m_expected > 0) {
        if (!m_digits || isDigit(byte)) return takeArgument(byte);
        reset();
    }
    const std::optional<double> polarity = std::exchange(m_polaritySeconds, std::nullopt);
    if (polarity && byte == '2' && nowSeconds - *polarity <= kPolarityTailSeconds) return std::nullopt;
    return startCommand(byte, nowSeconds);
}

std::optional<Command> CommandParser::startCommand(std::uint8_t byte, double nowSeconds) {
    const CommandByte* command = lookUp(byte);
    if (!command) return std::nullopt;  // the instrument ignores bytes it does not know
    m_command = Command{command->kind};
    if (command->kind == CommandKind::ReadPolarity) m_polaritySeconds = nowSeconds;
    if (command->argument == Argument::None) return m_command;
    m_expected = command->argumentBytes;
    m_received = 0;
    m_digits = command->argument == Argument::Digit;
    return std::nullopt;
}

std::optional<Command> CommandParser::takeArgument(std::uint8_t byte) {
    m_command.args[static_cast<std::size_t>(m_received++)] = m_digits ? static_cast<std::uint8_t>(byte - '0') : byte;
    if (--m_expected > 0) return std::nullopt;
    return m_command;
}

}  // namespace mca::sim
