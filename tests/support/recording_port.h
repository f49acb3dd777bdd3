// A serial port for tests that keeps every byte written, replies from a queue, and can be told to
// fail; with its provider, ports "exist" only where a test put them.
#pragma once

#include "core/serial_port.h"

#include <map>
#include <memory>
#include <string>

namespace mca::testing {

struct PortRecord {
    std::string written;     // every byte written, in order
    std::string incoming;    // bytes the next reads return
    int baud = 0;
    bool failing = false;    // writes and reads throw, as a vanished device does
    int purges = 0;
};

class RecordingPort : public SerialPort {
public:
    RecordingPort(int comNumber, std::shared_ptr<PortRecord> record) : m_com(comNumber), m_record(std::move(record)) {}

    void write(const std::string& bytes) override;
    std::string readAll() override;
    int queuedCount() override;
    void purge() override;
    void setBaudRate(int baud) override { m_record->baud = baud; }
    int comNumber() const override { return m_com; }

private:
    void throwIfFailing() const;
    int m_com;
    std::shared_ptr<PortRecord> m_record;
};

class RecordingPortProvider : public SerialPortProvider {
public:
    // Makes "COM" + n exist; the returned record stays readable after the port is closed.
    std::shared_ptr<PortRecord> add(int comNumber);
    std::unique_ptr<SerialPort> open(int comNumber, int baud) override;
    std::vector<PortListing> listPorts() override;
    int openCount = 0;

private:
    std::map<int, std::shared_ptr<PortRecord>> m_ports;
};

}  // namespace mca::testing
