// Windows-1252 <-> UTF-8 conversion; the table covers only 0x80-0x9F because the rest of the
// byte range coincides with U+0000-U+00FF.
#include "core/text_encoding.h"

#include <array>
#include <cstdint>
#include <optional>

namespace mca {
namespace {

constexpr std::array<char32_t, 32> kHighControlRange = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178'};

constexpr char kReplacement = '?';

char32_t codePointOfByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHighControlRange[byte - 0x80u];
    }
    return byte;
}

void appendUtf8(std::string& out, char32_t cp) {
    auto put = [&out](std::uint32_t value) { out.push_back(static_cast<char>(value)); };
    const auto value = static_cast<std::uint32_t>(cp);
    if (value < 0x80) {
        put(value);
    } else if (value < 0x800) {
        put(0xC0 | (value >> 6));
        put(0x80 | (value & 0x3F));
    } else {
        // Nothing in the Windows-1252 table lies beyond the Basic Multilingual Plane.
        put(0xE0 | (value >> 12));
        put(0x80 | ((value >> 6) & 0x3F));
        put(0x80 | (value & 0x3F));
    }
}

std::optional<char> byteOfCodePoint(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<char>(static_cast<unsigned char>(cp));
    }
    for (std::size_t i = 0; i < kHighControlRange.size(); ++i) {
        if (kHighControlRange[i] == cp) {
            return static_cast<char>(static_cast<unsigned char>(0x80 + i));
        }
    }
    return std::nullopt;
}

// One decoded step: the code point, or none for a malformed sequence, and the bytes consumed.
struct Decoded {
    std::optional<char32_t> codePoint;
    std::size_t length = 1;
};

// Follows the Unicode "maximal subpart" practice: a broken sequence is consumed up to the first
// byte that cannot continue it, so that byte starts the next step and one "?" stands for it all.
Decoded decodeOne(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        return {lead, 1};
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    char32_t cp = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;   // overlong forms
        high = lead == 0xED ? 0x9F : 0xBF;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;   // overlong forms
        high = lead == 0xF4 ? 0x8F : 0xBF;  // beyond U+10FFFF
    } else {
        return {std::nullopt, 1};
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) {
            return {std::nullopt, i};
        }
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if (next < low || next > high) {
            return {std::nullopt, i};
        }
        cp = (cp << 6) | (next & 0x3Fu);
        low = 0x80;
        high = 0xBF;
    }
    return {cp, length};
}

}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    for (const char byte : bytes) {
        appendUtf8(out, codePointOfByte(static_cast<unsigned char>(byte)));
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const Decoded step = decodeOne(utf8, pos);
        const std::optional<char> byte = step.codePoint ? byteOfCodePoint(*step.codePoint) : std::nullopt;
        out.push_back(byte.value_or(kReplacement));
        pos += step.length;
    }
    return out;
}

}  // namespace mca
