// Windows-1252 <-> UTF-8 conversion at the file edges: files exchanged with other tools are
// Windows-1252, every text in memory is UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace mca {

// Every byte has a character, the five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) become the C1 controls of the same value, so any byte sequence round-trips.
std::string cp1252ToUtf8(std::string_view bytes);

// Characters without a Windows-1252 byte, and each malformed UTF-8 sequence, become one "?".
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace mca
