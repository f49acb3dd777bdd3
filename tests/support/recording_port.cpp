// The recording serial port of the tests.
#include "support/recording_port.h"

#include <utility>

namespace mca::testing {

void RecordingPort::throwIfFailing() const {
    if (m_record->failing) throw SerialPortError("COM" + std::to_string(m_com) + " has gone away");
}

void RecordingPort::write(const std::string& bytes) {
    throwIfFailing();
    m_record->written += bytes;
}

std::string RecordingPort::readAll() {
    throwIfFailing();
    return std::exchange(m_record->incoming, {});
}

int RecordingPort::queuedCount() {
    throwIfFailing();
    return static_cast<int>(m_record->incoming.size());
}

void RecordingPort::purge() {
    m_record->incoming.clear();
    ++m_record->purges;
}

std::shared_ptr<PortRecord> RecordingPortProvider::add(int comNumber) {
    auto& r = m_ports[comNumber];
    if (!r) r = std::make_shared<PortRecord>();
    return r;
}

std::unique_ptr<SerialPort> RecordingPortProvider::open(int comNumber, int baud) {
    const auto it = m_ports.find(comNumber);
    if (it == m_ports.end()) throw SerialPortError("COM" + std::to_string(comNumber) + " does not exist");
    ++openCount;
    it->second->baud = baud;
    return std::make_unique<RecordingPort>(comNumber, it->second);
}

std::vector<PortListing> RecordingPortProvider::listPorts() {
    std::vector<PortListing> out;
    for (const auto& [n, r] : m_ports) out.push_back({n, "/dev/test" + std::to_string(n), {}});
    return out;
}

}  // namespace mca::testing
