// The questions an instrument is asked while it is opened: serial number, firmware revision,
// supply polarity, HV unit and the battery, each a bounded loop on an open link.
#pragma once

#include "core/instrument_session.h"
#include "device/protocol.h"

#include <optional>
#include <string>
#include <string_view>

namespace mca {

// How long a reply may take before the instrument counts as silent. A working instrument answers
// within the first round (six bytes take half a millisecond at 115200 baud); the loops give it
// this long so a slow adapter is not mistaken for a silent one.
inline constexpr int kReplyPatienceMs = 5000;
inline constexpr int kPolarityTries = 15;
inline constexpr int kHvUnitTries = 15;
inline constexpr int kBatteryTries = 21;
inline constexpr double kFirstQueriedRevision = 1.08;

// Purge, "@", then rounds of `roundPauses` x 100 ms, each adding what is queued, until the text
// has at least six characters and begins with "2"; the serial number, or nullopt after
// kReplyPatienceMs. Text that cannot begin a serial number is dropped rather than kept, so one
// stray byte does not spoil the rest of the wait.
std::optional<std::string> readSerialNumber(const Link& link, int roundPauses);

// Discards what is queued, sends "f", 1 ms, then rounds of 2 x 100 ms (+400 ms in
// monitoring-network mode) until something arrived; that text, or nullopt after 25 rounds.
std::optional<std::string> readFirmwareText(const Link& link);

// The firmware text as a number ("1.08"), blanks and line ends around it allowed; nullopt when it
// is not one.
std::optional<double> firmwareRevisionOf(std::string_view text);

// Revisions from 1.08 answer the polarity and HV-unit queries; monitoring-network mode never asks.
bool asksPolarityAndHvUnit(double revision, bool networkMode);

// Purge, 100 ms, "%2", then up to 15 times 100 ms and a look at the bytes that came, until one is
// "+" or "-". True only for "-": positive is assumed when no sign came.
bool readNegativePolarity(const Link& link);

// Purge, 100 ms, "2", then up to 15 times 50 ms and a reading of two bytes (high first) until it
// is not zero; volts of the full HV code, kDefaultHvFullScale after 15 zero readings.
int readHvUnit(const Link& link);

// Purge, 100 ms, "B", then up to kBatteryTries times `pauseMs` and a reading of two bytes (high
// first) until it is not zero; the 10-bit reading, or nullopt when every reading was zero.
std::optional<int> readOpeningBattery(const Link& link, int pauseMs);

// Status-bar panel 1: the serial number, with "N" after it when the supply is negative.
std::string serialStatusText(const InstrumentSession& session);

}  // namespace mca
