// The in-process instrument behind the host's port interface, driven by the virtual clock: a
// host's conversation, an acquisition that takes virtual seconds, ports that do not exist, are
// busy or vanish, and bytes lost at a mismatched baud rate.
#include "sim/simulated_port.h"

#include "sim/record_reader.h"
#include "support/virtual_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace mca::sim {
namespace {

class SimulatedPortTest : public ::testing::Test {
protected:
    mca::testing::VirtualClock clock;
    SimulatedPortProvider provider{clock};
};

TEST_F(SimulatedPortTest, AnswersTheIdentityQueriesOfAnOpen) {
    InstrumentConfig config;
    config.identity.serialNumber = "234567";
    config.identity.firmware = "1.10";
    config.identity.negativePolarity = true;
    config.identity.hvUnitVolts = 1500;
    provider.place(3, config);
    const auto port = provider.open(3, 115200);
    EXPECT_EQ(port->comNumber(), 3);
    const struct {
        const char* sent;
        std::string reply;
    } conversation[] = {{"RU", "VORA2"}, {"@", "234567"}, {"f", "1.10"}, {"%2", "-"}, {"2", "\x05\xDC"}, {"B", std::string("\x03\x00", 2)}};
    for (const auto& step : conversation) {
        port->write(step.sent);
        clock.pause(100);
        EXPECT_EQ(port->readAll().substr(0, step.reply.size()), step.reply) << step.sent;
    }
}

TEST_F(SimulatedPortTest, TenSecondsOfVirtualAcquisitionCostMilliseconds) {
    InstrumentConfig config;
    config.ratePerSecond = 2000;
    Instrument& instrument = provider.place(1, config);
    const auto port = provider.open(1, 115200);
    port->write(std::string("V\x66\x64G", 4));
    const auto started = std::chrono::steady_clock::now();
    std::string stream;
    for (int tick = 0; tick < 10; ++tick) {
        clock.pause(1000);
        EXPECT_GT(port->queuedCount(), 0);
        stream += port->readAll();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    EXPECT_EQ(port->queuedCount(), 0) << "no virtual time has passed since the last read";
    const auto records = testing::readThreeByteRecords(stream);
    EXPECT_EQ(records.size(), instrument.statistics().records);
    EXPECT_NEAR(static_cast<double>(records.size()) / 10, 0.9 * 2000, 0.15 * 2000) << "records per second";
    EXPECT_DOUBLE_EQ(instrument.countingSeconds(), 10);
}

TEST_F(SimulatedPortTest, PurgeDiscardsWhatWasQueued) {
    provider.place(2);
    const auto port = provider.open(2, 115200);
    port->write("UUU");
    EXPECT_EQ(port->queuedCount(), 15);
    port->purge();
    EXPECT_EQ(port->readAll(), "");
}

TEST_F(SimulatedPortTest, MissingBusyAndVanishedPortsFail) {
    provider.place(5);
    EXPECT_THROW(provider.open(4, 115200), SerialPortError) << "nothing placed on COM4";
    auto port = provider.open(5, 115200);
    EXPECT_THROW(provider.open(5, 115200), SerialPortError) << "already open";
    ASSERT_EQ(provider.listPorts().size(), 1u);
    EXPECT_EQ(provider.listPorts()[0].comNumber, 5);

    provider.vanish(5);
    EXPECT_THROW(port->write("U"), SerialPortError);
    EXPECT_THROW(port->readAll(), SerialPortError);
    EXPECT_THROW(port->queuedCount(), SerialPortError);
    EXPECT_THROW(port->purge(), SerialPortError);
    EXPECT_THROW(port->setBaudRate(115200), SerialPortError);
    port.reset();
    EXPECT_THROW(provider.open(5, 115200), SerialPortError);
    EXPECT_TRUE(provider.listPorts().empty());
}

TEST_F(SimulatedPortTest, ClosingFreesThePortAndDropsWhatNobodyRead) {
    provider.place(7);
    provider.open(7, 115200)->write("U");
    const auto again = provider.open(7, 115200);
    EXPECT_EQ(again->readAll(), "");
    again->write("U");
    EXPECT_EQ(again->readAll(), "VORA2");
}

TEST_F(SimulatedPortTest, BytesAreLostWhileTheBaudRatesDiffer) {
    Instrument& instrument = provider.place(1);
    const auto port = provider.open(1, 115200);
    port->write("H");
    EXPECT_EQ(instrument.state().baud, 256000);
    port->write("U");
    EXPECT_EQ(port->readAll(), "") << "the host still listens at 115200";
    port->setBaudRate(256000);
    port->write("U");
    EXPECT_EQ(port->readAll(), "VORA2");
    port->write("L");
    port->setBaudRate(115200);
    port->write("U");
    EXPECT_EQ(port->readAll(), "VORA2");
}

TEST_F(SimulatedPortTest, AStreamNobodyReadsStopsAtTheReceiveBuffer) {
    InstrumentConfig config;
    config.ratePerSecond = 20000;
    Instrument& instrument = provider.place(1, config);
    const auto port = provider.open(1, 115200);
    port->write(std::string("V\x66\x64G", 4));
    clock.pause(200 * 1000);  // 200 s at 11520 bytes per second would be 2.3 MB
    EXPECT_LE(static_cast<std::size_t>(port->queuedCount()), SimulatedPort::kReceiveBufferBytes);
    EXPECT_GT(instrument.statistics().droppedRecords, 0u);
}

}  // namespace
}  // namespace mca::sim
