// The in-process simulated port and its provider.
#include "sim/simulated_port.h"

#include <algorithm>
#include <utility>

namespace mca::sim {

namespace {
std::string comName(int comNumber) { return "COM" + std::to_string(comNumber); }
}  // namespace

SimulatedPort::SimulatedPort(int comNumber, std::shared_ptr<SimulatedLine> line, const Clock& clock)
    : m_comNumber(comNumber), m_line(std::move(line)), m_clock(clock) {
    m_line->open = true;
}

SimulatedPort::~SimulatedPort() { m_line->open = false; }

void SimulatedPort::catchUp(SimulatedLine& line, const Clock& clock) {
    const std::int64_t now = clock.steadyMilliseconds();
    if (now <= line.lastMs) return;
    const double seconds = static_cast<double>(now - line.lastMs) / 1000.0;
    line.lastMs = now;
    if (line.hostBaud != line.instrument.state().baud) {
        std::string garbled;
        line.instrument.advance(seconds, kReceiveBufferBytes, garbled);
        return;
    }
    const std::size_t room = kReceiveBufferBytes - std::min(line.toHost.size(), kReceiveBufferBytes);
    line.instrument.advance(seconds, room, line.toHost);
}

void SimulatedPort::throwIfVanished() const {
    if (m_line->vanished) throw SerialPortError(comName(m_comNumber) + " has gone away");
}

void SimulatedPort::write(const std::string& bytes) {
    throwIfVanished();
    catchUp(*m_line, m_clock);
    if (m_line->hostBaud != m_line->instrument.state().baud) return;
    const std::string reply = m_line->instrument.receive(bytes);
    if (m_line->toHost.size() + reply.size() <= kReceiveBufferBytes) m_line->toHost += reply;
}

std::string SimulatedPort::readAll() {
    throwIfVanished();
    catchUp(*m_line, m_clock);
    return std::exchange(m_line->toHost, {});
}

int SimulatedPort::queuedCount() {
    throwIfVanished();
    catchUp(*m_line, m_clock);
    return static_cast<int>(m_line->toHost.size());
}

void SimulatedPort::purge() {
    throwIfVanished();
    catchUp(*m_line, m_clock);
    m_line->toHost.clear();
}

void SimulatedPort::setBaudRate(int baud) {
    throwIfVanished();
    catchUp(*m_line, m_clock);
    m_line->hostBaud = baud;
}

Instrument& SimulatedPortProvider::place(int comNumber, const InstrumentConfig& config) {
    auto line = std::make_shared<SimulatedLine>(config, m_clock.steadyMilliseconds());
    Instrument& placed = line->instrument;
    m_lines[comNumber] = std::move(line);
    return placed;
}

Instrument* SimulatedPortProvider::instrument(int comNumber) {
    const auto it = m_lines.find(comNumber);
    return it == m_lines.end() ? nullptr : &it->second->instrument;
}

void SimulatedPortProvider::vanish(int comNumber) {
    if (const auto it = m_lines.find(comNumber); it != m_lines.end()) it->second->vanished = true;
}

std::unique_ptr<SerialPort> SimulatedPortProvider::open(int comNumber, int baud) {
    const auto it = m_lines.find(comNumber);
    if (it == m_lines.end() || it->second->vanished) throw SerialPortError(comName(comNumber) + " does not exist");
    SimulatedLine& line = *it->second;
    if (line.open) throw SerialPortError(comName(comNumber) + " is in use by another program");
    // What the instrument sent while nobody had the port open went nowhere.
    SimulatedPort::catchUp(line, m_clock);
    line.toHost.clear();
    line.hostBaud = baud;
    return std::make_unique<SimulatedPort>(comNumber, it->second, m_clock);
}

std::vector<PortListing> SimulatedPortProvider::listPorts() {
    std::vector<PortListing> out;
    for (const auto& [comNumber, line] : m_lines) {
        if (!line->vanished) out.push_back({comNumber, "sim:" + comName(comNumber), "Simulated instrument"});
    }
    return out;
}

}  // namespace mca::sim
