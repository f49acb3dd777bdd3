// A real serial port: a terminal device opened raw 8N1 without flow control, held exclusively
// while open, read without ever waiting and written with a bounded wait.
#pragma once

#include "core/serial_port.h"

#include <chrono>
#include <string>

namespace mca {

class TermiosSerialPort : public SerialPort {
public:
    static constexpr std::chrono::milliseconds kDefaultWriteTimeout{2000};

    // Opens `device` (e.g. "/dev/ttyUSB0") as "COM" + comNumber at `baud`, 8N1, no flow control,
    // DTR and RTS off. Throws SerialPortError when the device is missing, busy, not permitted,
    // not a terminal, or refuses the settings. `writeTimeout` bounds how long one write() may wait
    // for the device to take its bytes.
    TermiosSerialPort(int comNumber, std::string device, int baud,
                      std::chrono::milliseconds writeTimeout = kDefaultWriteTimeout);
    ~TermiosSerialPort() override;
    TermiosSerialPort(const TermiosSerialPort&) = delete;
    TermiosSerialPort& operator=(const TermiosSerialPort&) = delete;

    // Once the device has gone away (hang-up, unplugged, pseudo-terminal master closed) every call
    // below throws SerialPortError, on every later call too.
    void write(const std::string& bytes) override;
    std::string readAll() override;
    int queuedCount() override;
    void purge() override;
    // Any positive rate; the driver may round it, and a rate it cannot come near throws.
    void setBaudRate(int baud) override;
    int comNumber() const override { return m_com; }
    const std::string& device() const { return m_device; }

private:
    void openExclusive();
    void configureRaw();
    void applyBaudRate(int baud);
    void dropModemLines();
    void release() noexcept;
    void waitUntilWritable(std::chrono::steady_clock::time_point deadline);
    void throwIfGone() const;
    [[noreturn]] void failIo(const char* action, int error);
    std::string name() const;

    int m_com;
    std::string m_device;
    std::chrono::milliseconds m_writeTimeout;
    int m_fd = -1;
    bool m_exclusive = false;
    bool m_gone = false;
};

}  // namespace mca
