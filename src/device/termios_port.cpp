// Serial ports on Linux terminal devices.
#include "device/termios_port.h"

#include "device/termios_speed.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace mca {

namespace {

constexpr std::size_t kReadChunk = 4096;
// A sender faster than we read must not keep readAll from returning; the rest waits for the next call.
constexpr std::size_t kReadLimit = std::size_t{1} << 20;
// Both ends of a UART link tolerate a few percent between their rates; a driver that rounds further
// than this (e.g. a 16550 asked for 256000 falls back to another rate) cannot reach the instrument.
constexpr double kSpeedTolerance = 0.03;

std::string reason(int error) {
    return std::generic_category().message(error);
}

bool isGone(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

std::string openFailure(const std::string& name, const std::string& device, int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return name + " is not present (" + device + " does not exist)";
    case EBUSY:
    case EWOULDBLOCK:
        return name + " is in use by another program (" + device + ")";
    case EACCES:
    case EPERM:
        return name + " cannot be opened: no permission for " + device +
               " (the user may need to be in the dialout group)";
    case ENOTTY:
        return name + " is not a serial port (" + device + ")";
    default:
        return name + " cannot be opened (" + device + ": " + reason(error) + ")";
    }
}

// cfmakeraw leaves IXOFF and IXANY, and some drivers silently drop settings they cannot do, so the
// settings are checked as read back rather than as requested.
bool holdsRawSettings(const termios& t) {
    constexpr tcflag_t kInputOff = IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP | PARMRK;
    constexpr tcflag_t kLocalOff = ECHO | ECHONL | ICANON | ISIG | IEXTEN;
    constexpr tcflag_t kControlOff = PARENB | CSTOPB | CRTSCTS;
    constexpr tcflag_t kControlOn = CLOCAL | CREAD;
    return (t.c_iflag & kInputOff) == 0 && (t.c_oflag & OPOST) == 0 && (t.c_lflag & kLocalOff) == 0 &&
           (t.c_cflag & CSIZE) == CS8 && (t.c_cflag & kControlOff) == 0 && (t.c_cflag & kControlOn) == kControlOn &&
           t.c_cc[VMIN] == 1 && t.c_cc[VTIME] == 0;
}

termios rawSettings(termios t) {
    ::cfmakeraw(&t);
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST | ONLCR);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    t.c_cflag |= static_cast<tcflag_t>(CS8 | CLOCAL | CREAD);
    // With O_NONBLOCK no data is EAGAIN, and a read of 0 can then only mean hang-up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    return t;
}

}  // namespace

TermiosSerialPort::TermiosSerialPort(int comNumber, std::string device, int baud,
                                     std::chrono::milliseconds writeTimeout)
    : m_com(comNumber), m_device(std::move(device)), m_writeTimeout(writeTimeout) {
    try {
        openExclusive();
        configureRaw();
        applyBaudRate(baud);
        dropModemLines();
    } catch (...) {
        release();
        throw;
    }
}

TermiosSerialPort::~TermiosSerialPort() {
    release();
}

void TermiosSerialPort::openExclusive() {
    do {
        m_fd = ::open(m_device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) throw SerialPortError(openFailure(name(), m_device, errno));
    if (!::isatty(m_fd)) throw SerialPortError(openFailure(name(), m_device, ENOTTY));
    // Root passes TIOCEXCL, so a second open by root would succeed; the lock holds for everyone.
    if (::flock(m_fd, LOCK_EX | LOCK_NB) < 0) throw SerialPortError(openFailure(name(), m_device, errno));
    if (::ioctl(m_fd, TIOCEXCL) < 0) throw SerialPortError(openFailure(name(), m_device, errno));
    m_exclusive = true;
}

void TermiosSerialPort::configureRaw() {
    termios settings{};
    if (::tcgetattr(m_fd, &settings) < 0) failIo("reading the settings", errno);
    const termios wanted = rawSettings(settings);
    if (::tcsetattr(m_fd, TCSANOW, &wanted) < 0) failIo("applying the settings", errno);
    // tcsetattr reports success when any one of the settings applied.
    if (::tcgetattr(m_fd, &settings) < 0) failIo("reading the settings", errno);
    if (!holdsRawSettings(settings))
        throw SerialPortError(name() + " does not accept raw 8N1 without flow control (" + m_device + ")");
}

void TermiosSerialPort::applyBaudRate(int baud) {
    const std::string refused = name() + " cannot run at " + std::to_string(baud) + " baud";
    if (baud <= 0) throw SerialPortError(refused);
    const LineSpeedResult result = setLineSpeed(m_fd, static_cast<unsigned>(baud));
    if (result.error == EINVAL) throw SerialPortError(refused);
    if (result.error != 0) failIo("setting the speed", result.error);
    // A pseudo-terminal stores whatever it is given, so it always passes.
    if (std::abs(static_cast<double>(result.actual) - baud) > kSpeedTolerance * baud)
        throw SerialPortError(refused + " (the device offers " + std::to_string(result.actual) + ")");
}

void TermiosSerialPort::dropModemLines() {
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(m_fd, TIOCMBIC, &lines) == 0) return;
    const int error = errno;
    // Pseudo-terminals have no modem lines.
    if (error != ENOTTY && error != EINVAL) failIo("switching DTR and RTS off", error);
}

void TermiosSerialPort::release() noexcept {
    if (m_fd < 0) return;
    // TIOCEXCL stays on the terminal after close on some kernels, which would lock everyone else out.
    if (m_exclusive) ::ioctl(m_fd, TIOCNXCL);
    // A child forked before exec shares the open file and with it the lock; unlock explicitly.
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
    m_exclusive = false;
}

void TermiosSerialPort::write(const std::string& bytes) {
    throwIfGone();
    const auto deadline = std::chrono::steady_clock::now() + m_writeTimeout;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) failIo("sending", errno);
        waitUntilWritable(deadline);
    }
}

void TermiosSerialPort::waitUntilWritable(std::chrono::steady_clock::time_point deadline) {
    using namespace std::chrono;
    const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
    if (left <= 0) {
        throw SerialPortError(name() + ": the device does not take data (sending timed out after " +
                              std::to_string(m_writeTimeout.count()) + " ms)");
    }
    pollfd request{m_fd, POLLOUT, 0};
    if (::poll(&request, 1, static_cast<int>(left)) < 0 && errno != EINTR) failIo("waiting to send", errno);
}

std::string TermiosSerialPort::readAll() {
    throwIfGone();
    std::string bytes;
    char chunk[kReadChunk];
    while (bytes.size() < kReadLimit) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            bytes.append(chunk, static_cast<std::size_t>(n));
            continue;
        }
        const int error = n == 0 ? EIO : errno;  // 0 is hang-up (VMIN=1 with O_NONBLOCK)
        if (error == EINTR) continue;
        if (error == EAGAIN || error == EWOULDBLOCK) break;
        // The last bytes before a hang-up are still the instrument's; the next call reports it.
        if (isGone(error) && !bytes.empty()) {
            m_gone = true;
            break;
        }
        failIo("receiving", error);
    }
    return bytes;
}

int TermiosSerialPort::queuedCount() {
    throwIfGone();
    int count = 0;
    if (::ioctl(m_fd, FIONREAD, &count) < 0) failIo("counting received bytes", errno);
    return count;
}

void TermiosSerialPort::purge() {
    throwIfGone();
    if (::tcflush(m_fd, TCIOFLUSH) < 0) failIo("discarding queued bytes", errno);
}

void TermiosSerialPort::setBaudRate(int baud) {
    throwIfGone();
    applyBaudRate(baud);
}

void TermiosSerialPort::throwIfGone() const {
    if (m_gone) throw SerialPortError(name() + ": the device has gone away");
}

void TermiosSerialPort::failIo(const char* action, int error) {
    if (isGone(error)) {
        m_gone = true;
        throwIfGone();
    }
    throw SerialPortError(name() + ": " + action + " failed (" + reason(error) + ")");
}

std::string TermiosSerialPort::name() const {
    return "COM" + std::to_string(m_com);
}

}  // namespace mca
