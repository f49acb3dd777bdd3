// Dead time and the line: above the line rate the records stay within what the baud rate carries
// and their counts n still add up to the pulses seen; below it, pile-up alone sets n > 1, more
// often with longer shaping.
#include "sim/instrument.h"
#include "sim/pulse_train.h"

#include "sim/record_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace mca::sim {
namespace {

using testing::ReadRecord;

const std::string kHv800 = std::string("V\x66\x64", 3);

struct StreamRun {
    std::vector<ReadRecord> records;
    PulseStatistics statistics;
};

// `seconds` of acquisition in slices of `sliceSeconds`, as a host reading its port would see it.
StreamRun acquire(double rate, const std::string& settings, double seconds, double sliceSeconds = 0.1) {
    InstrumentConfig config;
    config.sources = {"cs137", "co60"};
    config.ratePerSecond = rate;
    config.seed = 99;
    Instrument instrument(config);
    instrument.receive(kHv800 + settings + "G");
    std::string stream;
    const int slices = static_cast<int>(std::lround(seconds / sliceSeconds));
    for (int i = 0; i < slices; ++i) instrument.advance(sliceSeconds, 1 << 22, stream);
    const bool twoByte = instrument.state().twoByte;
    return {twoByte ? testing::readTwoByteRecords(stream) : testing::readThreeByteRecords(stream),
            instrument.statistics()};
}

struct LineCase {
    const char* name;
    std::string settings;
    double rate;  // above the line's records per second, not so far that n reaches its cap
    double bytesPerRecord;
    int baud;
    int countCap;
};

const LineCase kLineCases[] = {
    {"three-byte at 115200 baud", "", 20000, 3, 115200, 15},
    {"two-byte at 115200 baud", "(", 7000, 2, 115200, 4},
    {"three-byte at 256000 baud", "H", 20000, 3, 256000, 15},
    {"two-byte at 256000 baud", "(H", 16000, 2, 256000, 4},
};

TEST(PulseTrain, AboveTheLineRateCountsFoldIntoTheRecordsSent) {
    constexpr double kSeconds = 10;
    for (const auto& c : kLineCases) {
        const StreamRun run = acquire(c.rate, c.settings, kSeconds);
        const double lineRecords = c.baud / (10 * c.bytesPerRecord) * kSeconds;
        EXPECT_LE(static_cast<double>(run.records.size()), lineRecords + 1) << c.name;
        int largest = 0;
        for (const auto& r : run.records) largest = std::max(largest, r.count);
        EXPECT_LE(largest, c.countCap) << c.name;
        EXPECT_GT(largest, 1) << c.name;
        // The pulses the instrument saw, against the counts the host receives.
        const double pulses = static_cast<double>(run.statistics.pulses);
        const double counted = static_cast<double>(testing::sumOfCounts(run.records));
        EXPECT_EQ(testing::sumOfCounts(run.records), run.statistics.reportedPulses) << c.name;
        EXPECT_NEAR(counted / pulses, 1.0, 0.01) << c.name;
        EXPECT_GT(pulses, 0.5 * c.rate * kSeconds) << c.name;
        EXPECT_GT(static_cast<double>(run.records.size()), 0.9 * std::min(lineRecords, pulses)) << c.name << ": line kept busy";
    }
}

TEST(PulseTrain, CountsBeyondTheCapAreLost) {
    // 60000 pulses per second over 3840 records per second: n would average near 16.
    const StreamRun run = acquire(60000, "", 5);
    const std::uint64_t counted = testing::sumOfCounts(run.records);
    EXPECT_GT(run.statistics.cappedPulses, 0u);
    EXPECT_LT(static_cast<double>(counted), 0.99 * static_cast<double>(run.statistics.pulses));
    // Every pulse is counted, capped away, or in a record still waiting for the line.
    const std::uint64_t accounted = counted + run.statistics.cappedPulses;
    EXPECT_LE(accounted, run.statistics.pulses);
    EXPECT_LE(run.statistics.pulses - accounted, 32u * 15u);
}

TEST(PulseTrain, PileUpGrowsWithTheShapingTime) {
    constexpr double kSeconds = 20;
    double previous = -1;
    for (const int shaping : {0, 4, 8}) {
        // Two-byte records at 256000 baud keep the line far from its limit: only pile-up folds.
        const StreamRun run = acquire(3000, "(HS" + std::to_string(shaping), kSeconds);
        std::size_t piled = 0;
        for (const auto& r : run.records) piled += r.count > 1 ? 1 : 0;
        const double rate = static_cast<double>(run.statistics.pulses) / kSeconds;
        const double expected = 1 - std::exp(-rate * busySeconds(shaping));
        const double observed = static_cast<double>(piled) / static_cast<double>(run.records.size());
        EXPECT_NEAR(observed / expected, 1.0, 0.2) << "shaping " << shaping;
        EXPECT_GT(observed, previous) << "shaping " << shaping;
        previous = observed;
        EXPECT_LE(run.statistics.pulses - testing::sumOfCounts(run.records), 5u) << "only pulses still waiting";
    }
}

TEST(PulseTrain, BusyTimeGrowsWithShapingAndStaysMicroseconds) {
    EXPECT_NEAR(busySeconds(0), 2.625e-6, 1e-12);
    EXPECT_NEAR(busySeconds(8), 17e-6, 1e-12);
    EXPECT_LT(busySeconds(3), busySeconds(4));
    EXPECT_EQ(busySeconds(99), busySeconds(8)) << "out-of-range index clamped";
}

}  // namespace
}  // namespace mca::sim
