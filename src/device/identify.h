// Identifying an instrument on a port: it is one when it answers "U" with "VORA2".
#pragma once

#include "core/serial_port.h"
#include "core/waiter.h"

#include <memory>

namespace mca {

inline constexpr int kIdentifyTries = 5;

// Opens "COM" + comNumber and asks up to five times whether an instrument is there: "R", 150 ms
// (350 ms in monitoring-network mode), then per try purge, "U", 1 ms, 150 ms (+250 ms), read all.
// A port given on the command line may still hold an answer to an earlier question, so its first
// read is thrown away and a doubled "VORA2VORA2" is accepted too. Returns the open port, or null
// when the port is missing, busy, fails or does not answer; every wait is bounded.
std::unique_ptr<SerialPort> identifyOnPort(SerialPortProvider& ports, int comNumber, Waiter& waiter, bool networkMode,
                                           bool forcedPort);

// The waits of one try after "U", and whether the port was given on the command line.
struct IdentifyTiming {
    int firstPauseMs;
    int secondPauseMs;
    bool forcedPort = false;
};

// The identification with the given tries; the sequences that open instruments differ only there.
std::unique_ptr<SerialPort> identifyWithTries(SerialPortProvider& ports, int comNumber, Waiter& waiter,
                                              bool networkMode, const IdentifyTiming& tries);

}  // namespace mca
