// The texts of the hardware-setting lists, by code: input and polarity, coarse gain and shaping
// time. Spectrum files, detector records and the hardware panel all use these words.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

inline constexpr std::array<std::string_view, 5> kInputTexts{
    "Input 1, Negative Polarity", "Input 1, Positive Polarity", "Input 2, Negative Polarity",
    "Input 2, Positive Polarity", "Shaped Input, Positive Polarity"};

inline constexpr std::array<std::string_view, 6> kCoarseGainTexts{"2", "4", "15", "35", "125", "250"};

// µ is U+00B5 in memory (byte 0xB5 in files).
inline constexpr std::array<std::string_view, 8> kShapingTimeTexts{"0.25 µS", "0.50 µS", "1.0 µS", "2.0 µS",
                                                                   "4.0 µS",  "6.0 µS",  "8.0 µS", "10.0 µS"};

// Channel counts by the number-of-channels code 0..4.
inline constexpr std::array<int, 5> kChannelCountByCode{4096, 2048, 1024, 512, 256};

// The text of `code` in `table`, or nullopt when the code is not a whole number in range.
template <std::size_t N>
std::optional<std::string> codeText(const std::array<std::string_view, N>& table, std::string_view code) {
    if (code.empty() || code.size() > 2) return std::nullopt;
    int value = 0;
    for (char c : code) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value >= static_cast<int>(N)) return std::nullopt;
    return std::string(table[static_cast<std::size_t>(value)]);
}

// The code whose text is `text`, or nullopt.
template <std::size_t N>
std::optional<int> codeOfText(const std::array<std::string_view, N>& table, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == text) return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace mca
