// The pseudo-terminal loop of mca-sim.
#include "sim/pty_server.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace mca::sim {

namespace {

[[noreturn]] void throwErrno(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

bool isHangUp(int error) { return error == EIO || error == EPIPE; }

constexpr std::size_t kReadChunk = 4096;

}  // namespace

PtyServer::PtyServer() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0) throwErrno("posix_openpt");
    if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
        close(m_master);
        throwErrno("grantpt/unlockpt");
    }
    char name[128];
    if (ptsname_r(m_master, name, sizeof name) != 0) {
        close(m_master);
        throwErrno("ptsname_r");
    }
    m_slavePath = name;
    m_slave = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0) {
        close(m_master);
        throwErrno("open of the pseudo-terminal slave");
    }
    setSlaveRaw();
}

PtyServer::~PtyServer() {
    close(m_slave);
    close(m_master);
}

void PtyServer::setSlaveRaw() {
    termios t{};
    if (tcgetattr(m_slave, &t) != 0) throwErrno("tcgetattr");
    cfmakeraw(&t);
    // cfmakeraw leaves the software flow control of IXOFF and IXANY; an XON or XOFF byte in the
    // stream must stay a byte.
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP);
    t.c_oflag &= ~static_cast<tcflag_t>(OPOST | ONLCR);
    t.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    if (tcsetattr(m_slave, TCSANOW, &t) != 0) throwErrno("tcsetattr");
    termios check{};
    // tcsetattr reports success when any one setting took; read back what matters.
    if (tcgetattr(m_slave, &check) != 0 || (check.c_lflag & (ECHO | ICANON)) != 0 || (check.c_iflag & IXON) != 0) {
        throw std::system_error(EINVAL, std::generic_category(), "raw mode of the pseudo-terminal");
    }
}

void PtyServer::serve(Instrument& instrument, int stopFd, const Clock& clock, ByteLog* log) {
    m_startMs = clock.steadyMilliseconds();
    m_streamMs = m_startMs;
    for (;;) {
        const bool usable = masterUsable(clock);
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {usable ? m_master : -1, POLLIN, 0}};
        if (usable && !m_outgoing.empty()) fds[1].events |= POLLOUT;
        if (poll(fds, 2, kSliceMs) < 0 && errno != EINTR) throwErrno("poll");
        if (fds[0].revents != 0) return;
        runStream(instrument, clock);
        if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) receiveFromHost(instrument, clock, log);
        if (masterUsable(clock)) sendToHost(clock);
    }
}

void PtyServer::runStream(Instrument& instrument, const Clock& clock) {
    const std::int64_t now = clock.steadyMilliseconds();
    if (now <= m_streamMs) return;
    const double seconds = static_cast<double>(now - m_streamMs) / 1000.0;
    m_streamMs = now;
    const std::size_t room = kOutgoingLimitBytes - std::min(m_outgoing.size(), kOutgoingLimitBytes);
    instrument.advance(seconds, room, m_outgoing);
}

void PtyServer::receiveFromHost(Instrument& instrument, const Clock& clock, ByteLog* log) {
    char buffer[kReadChunk];
    const ssize_t n = read(m_master, buffer, sizeof buffer);
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) return;
        if (isHangUp(errno)) return noteHangUp(clock);
        throwErrno("read from the pseudo-terminal");
    }
    if (n == 0) return noteHangUp(clock);
    const std::string_view bytes(buffer, static_cast<std::size_t>(n));
    if (log) log->write(static_cast<double>(clock.steadyMilliseconds() - m_startMs) / 1000.0, bytes);
    m_outgoing += instrument.receive(bytes);
}

void PtyServer::sendToHost(const Clock& clock) {
    if (m_outgoing.empty()) return;
    const ssize_t n = write(m_master, m_outgoing.data(), m_outgoing.size());
    if (n < 0) {
        if (errno == EAGAIN || errno == EINTR) return;
        if (isHangUp(errno)) return noteHangUp(clock);
        throwErrno("write to the pseudo-terminal");
    }
    m_outgoing.erase(0, static_cast<std::size_t>(n));
}

void PtyServer::noteHangUp(const Clock& clock) {
    // Nobody is listening: what was meant for the last host is not for the next one.
    m_outgoing.clear();
    m_hungUpUntilMs = clock.steadyMilliseconds() + kHangUpRetryMs;
}

}  // namespace mca::sim
