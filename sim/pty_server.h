// mca-sim's side of a pseudo-terminal: it opens the pair, keeps the slave in raw mode, and serves
// the simulated instrument on the master, pacing the event stream at the instrument's baud rate
// itself, since a pseudo-terminal carries bytes at any speed.
#pragma once

#include "core/clock.h"
#include "sim/byte_log.h"
#include "sim/instrument.h"

#include <cstdint>
#include <string>

namespace mca::sim {

class PtyServer {
public:
    // Slices of the stream: short enough that the host sees a steady flow, long enough to stay
    // cheap.
    static constexpr int kSliceMs = 10;
    // What waits for a host that is not reading; records beyond it are lost, as in a full buffer.
    static constexpr std::size_t kOutgoingLimitBytes = 64 * 1024;
    // After a hang-up (no host has the slave open) the master is polled again only this late,
    // since a hung-up master reports itself readable at once and would make the loop spin.
    static constexpr int kHangUpRetryMs = 100;

    // Opens the pair and sets the slave raw. Throws std::system_error.
    PtyServer();
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    const std::string& slavePath() const { return m_slavePath; }

    // Serves `instrument` until `stopFd` becomes readable; `log` may be null. Throws
    // std::system_error on a failure other than a hang-up.
    void serve(Instrument& instrument, int stopFd, const Clock& clock, ByteLog* log);

private:
    void setSlaveRaw();
    void runStream(Instrument& instrument, const Clock& clock);
    void receiveFromHost(Instrument& instrument, const Clock& clock, ByteLog* log);
    void sendToHost(const Clock& clock);
    void noteHangUp(const Clock& clock);
    bool masterUsable(const Clock& clock) const { return clock.steadyMilliseconds() >= m_hungUpUntilMs; }

    int m_master = -1;
    // Held open so that the terminal and its raw settings outlive every host that opens and
    // closes it; the host's close then never hangs the master up.
    int m_slave = -1;
    std::string m_slavePath;
    std::string m_outgoing;
    std::int64_t m_startMs = 0;
    std::int64_t m_streamMs = 0;
    std::int64_t m_hungUpUntilMs = 0;
};

}  // namespace mca::sim
