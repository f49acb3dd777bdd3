// Real serial ports, exercised on pseudo-terminals: the test holds the master side as the instrument.
#include "device/termios_port.h"

#include "device/termios_port_provider.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <thread>
#include <unistd.h>

namespace mca {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// How long a test waits for bytes in flight through the pseudo-terminal before it gives up.
constexpr auto kPatience = 5s;

class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        char name[128] = {};
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
            ::ptsname_r(m_master, name, sizeof name) != 0)
            throw std::runtime_error("no pseudo-terminal");
        m_device = name;
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& device() const { return m_device; }

    void closeMaster() {
        if (m_master >= 0) ::close(m_master);
        m_master = -1;
    }

    void send(const std::string& bytes) {
        const auto deadline = Clock::now() + kPatience;
        std::size_t done = 0;
        while (done < bytes.size() && Clock::now() < deadline) {
            const ssize_t n = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (n > 0) done += static_cast<std::size_t>(n);
            else waitFor(POLLOUT, 10ms);
        }
        ASSERT_EQ(done, bytes.size()) << "the port side stopped taking bytes";
    }

    // Up to `count` bytes, fewer when no more come within the patience (or within `quiet` of silence).
    std::string receive(std::size_t count, std::chrono::milliseconds quiet = 1000ms) {
        std::string bytes;
        const auto deadline = Clock::now() + kPatience;
        char chunk[4096];
        while (bytes.size() < count && Clock::now() < deadline) {
            const ssize_t n = ::read(m_master, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n > 0) bytes.append(chunk, static_cast<std::size_t>(n));
            else if (!waitFor(POLLIN, quiet)) break;
        }
        return bytes;
    }

private:
    bool waitFor(short events, std::chrono::milliseconds timeout) const {
        pollfd request{m_master, events, 0};
        return ::poll(&request, 1, static_cast<int>(timeout.count())) > 0;
    }

    int m_master = -1;
    std::string m_device;
};

std::string receiveFromPort(SerialPort& port, std::size_t count) {
    std::string bytes;
    const auto deadline = Clock::now() + kPatience;
    while (bytes.size() < count && Clock::now() < deadline) {
        bytes += port.readAll();
        if (bytes.size() < count) std::this_thread::sleep_for(1ms);
    }
    return bytes;
}

bool waitForQueued(SerialPort& port, int count) {
    const auto deadline = Clock::now() + kPatience;
    while (port.queuedCount() != count && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
    return port.queuedCount() == count;
}

std::string everyByteValue() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return bytes;
}

template <typename Call>
std::string errorOf(Call call) {
    try {
        call();
    } catch (const SerialPortError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(TermiosSerialPort, EveryByteValuePassesBothWaysUnchanged) {
    // Among them NUL, XON 0x11, XOFF 0x13, CR, LF, ^C, ^D, DEL and 0xFF, which a cooked terminal eats or changes.
    PseudoTerminal pty;
    TermiosSerialPort port(3, pty.device(), 115200);
    const std::string bytes = everyByteValue() + everyByteValue();

    port.write(bytes);
    EXPECT_EQ(pty.receive(bytes.size()), bytes);

    pty.send(bytes);
    EXPECT_EQ(receiveFromPort(port, bytes.size()), bytes);
    EXPECT_EQ(pty.receive(1, 100ms), "") << "the port echoed what it received";
}

TEST(TermiosSerialPort, ReadAllReturnsAtOnceWhenNothingIsQueued) {
    PseudoTerminal pty;
    TermiosSerialPort port(3, pty.device(), 115200);
    const auto start = Clock::now();
    EXPECT_EQ(port.readAll(), "");
    EXPECT_EQ(port.queuedCount(), 0);
    EXPECT_LT(Clock::now() - start, 500ms);
}

TEST(TermiosSerialPort, TransfersBeyondThePseudoTerminalBufferArriveWhole) {
    // FIONREAD stops at 4095 on a pseudo-terminal and its buffers hold well under these sizes, so
    // both sides must keep draining and waiting for room.
    PseudoTerminal pty;
    TermiosSerialPort port(3, pty.device(), 256000);
    const std::string bytes = pattern(300000);

    std::string received;
    std::thread reader([&] { received = receiveFromPort(port, bytes.size()); });
    pty.send(bytes);
    reader.join();
    EXPECT_TRUE(received == bytes) << "received " << received.size() << " of " << bytes.size() << " bytes";

    std::thread writer([&] { port.write(bytes); });
    const std::string echoed = pty.receive(bytes.size());
    writer.join();
    EXPECT_TRUE(echoed == bytes) << "sent " << echoed.size() << " of " << bytes.size() << " bytes";
}

TEST(TermiosSerialPort, PurgeDiscardsWhatIsQueued) {
    PseudoTerminal pty;
    TermiosSerialPort port(3, pty.device(), 115200);
    pty.send(std::string(100, 'x'));
    ASSERT_TRUE(waitForQueued(port, 100));

    port.purge();
    EXPECT_EQ(port.queuedCount(), 0);
    EXPECT_EQ(port.readAll(), "");

    pty.send("after");
    EXPECT_EQ(receiveFromPort(port, 5), "after");
}

TEST(TermiosSerialPort, SetBaudRateAcceptsTheInstrumentRates) {
    PseudoTerminal pty;
    TermiosSerialPort port(3, pty.device(), 4800);
    for (int baud : {4800, 115200, 256000}) EXPECT_NO_THROW(port.setBaudRate(baud)) << baud;
    for (int baud : {0, -9600}) {
        EXPECT_EQ(errorOf([&] { port.setBaudRate(baud); }), "COM3 cannot run at " + std::to_string(baud) + " baud");
    }
    port.write("still");
    EXPECT_EQ(pty.receive(5), "still");
}

TEST(TermiosSerialPort, SecondOpenOfTheSameDeviceIsBusyUntilTheFirstCloses) {
    // Root passes TIOCEXCL; the lock is what stops a second open then.
    PseudoTerminal pty;
    auto first = std::make_unique<TermiosSerialPort>(3, pty.device(), 115200);
    EXPECT_EQ(errorOf([&] { TermiosSerialPort(4, pty.device(), 115200); }),
              "COM4 is in use by another program (" + pty.device() + ")");

    first.reset();
    TermiosSerialPort again(4, pty.device(), 115200);
    again.write("ok");
    EXPECT_EQ(pty.receive(2), "ok");
}

TEST(TermiosSerialPort, AFailedOpenLeavesTheDeviceFree) {
    PseudoTerminal pty;
    EXPECT_EQ(errorOf([&] { TermiosSerialPort(3, pty.device(), 0); }), "COM3 cannot run at 0 baud");
    EXPECT_NO_THROW(TermiosSerialPort(3, pty.device(), 115200));
}

TEST(TermiosSerialPort, EveryCallThrowsOnceTheOtherSideHasGone) {
    PseudoTerminal pty;
    TermiosSerialPort port(7, pty.device(), 115200);
    pty.closeMaster();

    const std::string gone = "COM7: the device has gone away";
    EXPECT_EQ(errorOf([&] { port.readAll(); }), gone);
    EXPECT_EQ(errorOf([&] { port.readAll(); }), gone);
    EXPECT_EQ(errorOf([&] { port.write("x"); }), gone);
    EXPECT_EQ(errorOf([&] { port.queuedCount(); }), gone);
    EXPECT_EQ(errorOf([&] { port.purge(); }), gone);
    EXPECT_EQ(errorOf([&] { port.setBaudRate(4800); }), gone);
}

TEST(TermiosSerialPort, WriteGivesUpWhenNothingTakesTheBytes) {
    PseudoTerminal pty;  // nobody reads the master, so its buffer fills
    TermiosSerialPort port(3, pty.device(), 115200, 200ms);
    const auto start = Clock::now();
    EXPECT_EQ(errorOf([&] { port.write(pattern(1 << 20)); }),
              "COM3: the device does not take data (sending timed out after 200 ms)");
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST(TermiosSerialPort, OpenErrorsNameThePortAndTheReason) {
    testing::TempFolder folder;
    const std::string missing = (folder.path() / "ttyUSB9").string();
    const std::string plainFile = (folder.path() / "notes.txt").string();
    std::ofstream(plainFile) << "text";

    EXPECT_EQ(errorOf([&] { TermiosSerialPort(5, missing, 115200); }),
              "COM5 is not present (" + missing + " does not exist)");
    EXPECT_EQ(errorOf([&] { TermiosSerialPort(5, plainFile, 115200); }),
              "COM5 is not a serial port (" + plainFile + ")");
}

TEST(TermiosSerialPort, OpenWithoutPermissionSaysSo) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may open anything";
    testing::TempFolder folder;
    const std::string locked = (folder.path() / "ttyUSB0").string();
    std::ofstream(locked) << "";
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(errorOf([&] { TermiosSerialPort(2, locked, 115200); }),
              "COM2 cannot be opened: no permission for " + locked + " (the user may need to be in the dialout group)");
}

TEST(TermiosPortProvider, OpensTheDeviceTheTableNames) {
    PseudoTerminal pty;
    testing::TempFolder folder;  // an empty scan root: only the explicit entry exists
    TermiosPortProvider provider(PortTable({}, "COM6=" + pty.device(), {folder.path(), folder.path()}));

    const std::unique_ptr<SerialPort> port = provider.open(6, 115200);
    EXPECT_EQ(port->comNumber(), 6);
    port->write("hello");
    EXPECT_EQ(pty.receive(5), "hello");

    ASSERT_EQ(provider.listPorts().size(), 1u);
    EXPECT_EQ(provider.listPorts()[0].device, pty.device());
    EXPECT_EQ(errorOf([&] { provider.open(1, 115200); }), "COM1 does not exist");
    EXPECT_EQ(errorOf([&] { provider.open(6, 115200); }), "COM6 is in use by another program (" + pty.device() + ")");
}

}  // namespace
}  // namespace mca
