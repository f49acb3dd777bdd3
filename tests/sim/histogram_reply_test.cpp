// The "Q" block: its length, the "SPEC" mark, three-byte little-endian counts at 4 + 3i and the
// six little-endian figures at the end.
#include "sim/histogram_reply.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mca::sim {
namespace {

std::uint32_t readLittleEndian(const std::string& block, std::size_t offset, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | static_cast<std::uint8_t>(block[offset + static_cast<std::size_t>(i)]);
    return value;
}

TEST(HistogramReply, LayoutOfCountsAndFigures) {
    std::vector<std::uint32_t> counts(4096);
    for (std::size_t i = 0; i < counts.size(); ++i) counts[i] = static_cast<std::uint32_t>(i * 1000 + 7);
    counts[5] = 0x123456;
    HistogramFigures figures;
    figures.countingMs = 10000;
    figures.liveMs = 9950;
    figures.betaCounts = 3;
    figures.doseRateNanoSievertPerHour = 4000;
    figures.sensitivity = 500;
    figures.hvVolts = -800;

    const std::string block = histogramReply(counts, figures);

    ASSERT_EQ(block.size(), kHistogramReplySize);
    EXPECT_EQ(block.substr(0, 4), "SPEC");
    EXPECT_EQ(block.substr(4 + 3 * 5, 3), "\x56\x34\x12") << "least significant byte first";
    for (std::size_t i = 0; i < counts.size(); ++i) {
        ASSERT_EQ(readLittleEndian(block, 4 + 3 * i, 3), counts[i]) << "channel " << i;
    }
    EXPECT_EQ(readLittleEndian(block, 12292, 4), 10000u);
    EXPECT_EQ(readLittleEndian(block, 12296, 4), 9950u);
    EXPECT_EQ(readLittleEndian(block, 12300, 4), 3u);
    EXPECT_EQ(readLittleEndian(block, 12304, 4), 4000u);
    EXPECT_EQ(readLittleEndian(block, 12308, 4), 500u);
    EXPECT_EQ(static_cast<std::int32_t>(readLittleEndian(block, 12312, 4)), -800) << "signed";
}

TEST(HistogramReply, ShortHistogramIsPaddedAndLargeCountsSaturate) {
    const std::vector<std::uint32_t> counts{0x1000000, 42};
    const std::string block = histogramReply(counts, {});
    ASSERT_EQ(block.size(), kHistogramReplySize);
    EXPECT_EQ(readLittleEndian(block, 4, 3), 0xFFFFFFu);
    EXPECT_EQ(readLittleEndian(block, 7, 3), 42u);
    EXPECT_EQ(readLittleEndian(block, 10, 3), 0u);
    EXPECT_EQ(readLittleEndian(block, 4 + 3 * 4095, 3), 0u);
}

}  // namespace
}  // namespace mca::sim
