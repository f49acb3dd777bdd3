// A port provider for tests that hands out another provider's ports and keeps every byte the host
// writes on each port, in order; chosen writes can be kept from reaching the instrument, to make
// it look silent to one question.
#pragma once

#include "core/serial_port.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace mca::testing {

class ListeningPorts : public SerialPortProvider {
public:
    explicit ListeningPorts(SerialPortProvider& inner) : m_inner(inner) {}

    std::unique_ptr<SerialPort> open(int comNumber, int baud) override;
    std::vector<PortListing> listPorts() override { return m_inner.listPorts(); }

    // Everything written on "COM" + comNumber so far.
    const std::string& written(int comNumber) { return line(comNumber)->written; }
    // The instrument on the port never receives a write of exactly these bytes.
    void ignore(int comNumber, const std::string& command) { line(comNumber)->ignored.insert(command); }

    struct HeardLine {
        std::string written;
        std::set<std::string> ignored;
    };

private:
    std::shared_ptr<HeardLine> line(int comNumber);

    SerialPortProvider& m_inner;
    std::map<int, std::shared_ptr<HeardLine>> m_lines;
};

}  // namespace mca::testing
