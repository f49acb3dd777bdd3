// The tests' own reading of the simulator's event stream: strict, framing errors fail the test,
// and deliberately apart from the host's decoder and from the simulator's encoder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace mca::sim::testing {

struct ReadRecord {
    int count = 0;
    int channel = 0;
    bool battery = false;  // then `channel` holds the 10-bit reading
};

inline std::vector<ReadRecord> readThreeByteRecords(const std::string& bytes) {
    std::vector<ReadRecord> out;
    EXPECT_EQ(bytes.size() % 3, 0u) << "stream cut inside a record";
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        const auto b0 = static_cast<std::uint8_t>(bytes[i]);
        const auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
        const auto b2 = static_cast<std::uint8_t>(bytes[i + 2]);
        EXPECT_EQ(b0, 0xFF) << "no sync at byte " << i;
        if (b1 < 4) {
            out.push_back({0, b1 * 256 + b2, true});
        } else {
            out.push_back({b1 >> 4, (b1 & 0x0F) * 256 + b2, false});
        }
    }
    return out;
}

inline std::vector<ReadRecord> readTwoByteRecords(const std::string& bytes) {
    std::vector<ReadRecord> out;
    EXPECT_EQ(bytes.size() % 2, 0u) << "stream cut inside a record";
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto b0 = static_cast<std::uint8_t>(bytes[i]);
        const auto b1 = static_cast<std::uint8_t>(bytes[i + 1]);
        EXPECT_TRUE((b0 & 0x80) != 0 && (b1 & 0x80) == 0) << "no sync at byte " << i;
        out.push_back({((b0 >> 5) & 0x03) + 1, (b0 & 0x1F) * 128 + (b1 & 0x7F), false});
    }
    return out;
}

inline std::uint64_t sumOfCounts(const std::vector<ReadRecord>& records) {
    std::uint64_t sum = 0;
    for (const auto& r : records) sum += static_cast<std::uint64_t>(r.count);
    return sum;
}

}  // namespace mca::sim::testing
