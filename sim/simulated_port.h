// The simulated instrument behind the host's SerialPort interface, in the same process: bytes the
// host writes reach the model at once, its replies and its event stream wait in a receive queue.
// Time comes from a Clock, so under the tests' virtual clock a ten-second acquisition costs
// milliseconds. The provider puts instruments on chosen COM numbers and can make one vanish.
#pragma once

#include "core/clock.h"
#include "core/serial_port.h"
#include "sim/instrument.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace mca::sim {

// One instrument on one COM number and what is on its line; shared by the provider and the port
// that has it open.
struct SimulatedLine {
    SimulatedLine(const InstrumentConfig& config, std::int64_t nowMs) : instrument(config), lastMs(nowMs) {}
    Instrument instrument;
    std::string toHost;          // received by the host, not read yet
    std::int64_t lastMs;         // clock time the instrument has been run up to
    int hostBaud = kLowBaud;
    bool open = false;
    bool vanished = false;
};

class SimulatedPort : public SerialPort {
public:
    // The host's receive buffer: what arrives while it is full is lost (about 90 s of stream at
    // 115200 baud, far beyond the host's one-second reads).
    static constexpr std::size_t kReceiveBufferBytes = std::size_t{1} << 20;

    SimulatedPort(int comNumber, std::shared_ptr<SimulatedLine> line, const Clock& clock);
    ~SimulatedPort() override;
    SimulatedPort(const SimulatedPort&) = delete;
    SimulatedPort& operator=(const SimulatedPort&) = delete;

    // All of these throw SerialPortError once the instrument has vanished. While the host's baud
    // rate differs from the instrument's, bytes in either direction are lost, as garbled frames.
    void write(const std::string& bytes) override;
    std::string readAll() override;
    int queuedCount() override;
    void purge() override;
    void setBaudRate(int baud) override;
    int comNumber() const override { return m_comNumber; }

    // Runs the instrument up to the clock's time, queueing what it sent meanwhile.
    static void catchUp(SimulatedLine& line, const Clock& clock);

private:
    void throwIfVanished() const;

    int m_comNumber;
    std::shared_ptr<SimulatedLine> m_line;
    const Clock& m_clock;
};

class SimulatedPortProvider : public SerialPortProvider {
public:
    // `clock` must outlive the provider and every port it opened.
    explicit SimulatedPortProvider(const Clock& clock) : m_clock(clock) {}

    // Puts a new instrument on "COM" + comNumber (replacing one that was there) and returns it;
    // the reference stays valid while the provider lives. Throws std::invalid_argument for an
    // unknown source name.
    Instrument& place(int comNumber, const InstrumentConfig& config = {});
    // The instrument on "COM" + comNumber, or nullptr.
    Instrument* instrument(int comNumber);
    // From now on the port fails as an unplugged device does: every call on an open port and
    // every open throw SerialPortError.
    void vanish(int comNumber);

    // Throws SerialPortError when nothing is placed there, it vanished, or it is already open.
    std::unique_ptr<SerialPort> open(int comNumber, int baud) override;
    std::vector<PortListing> listPorts() override;

private:
    const Clock& m_clock;
    std::map<int, std::shared_ptr<SimulatedLine>> m_lines;
};

}  // namespace mca::sim
