// A serial link to an instrument or the met station, and the provider that opens "COM" + n.
// Real ports use termios; tests use a simulated instrument behind the same interface.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace mca {

// Raised when a port is missing, busy, or fails while in use; the text is fit for the operator.
class SerialPortError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Writes every byte, a zero byte included. Throws SerialPortError when the port failed.
    virtual void write(const std::string& bytes) = 0;
    // Every byte queued at the moment of the call, possibly none; never waits.
    virtual std::string readAll() = 0;
    // Number of bytes waiting to be read.
    virtual int queuedCount() = 0;
    // Discards both the receive and the transmit queue.
    virtual void purge() = 0;
    // 4800, 115200 or 256000; takes effect at once.
    virtual void setBaudRate(int baud) = 0;
    virtual int comNumber() const = 0;
};

struct PortListing {
    int comNumber = 0;
    std::string device;        // e.g. "/dev/ttyUSB0"
    std::string description;   // what the system says about it, may be empty
};

class SerialPortProvider {
public:
    virtual ~SerialPortProvider() = default;
    // Opens "COM" + comNumber at `baud`, 8N1, no flow control, DTR and RTS off.
    // Throws SerialPortError when the port does not exist or is busy.
    virtual std::unique_ptr<SerialPort> open(int comNumber, int baud) = 0;
    // The ports the provider knows, in COM-number order.
    virtual std::vector<PortListing> listPorts() = 0;
};

}  // namespace mca
