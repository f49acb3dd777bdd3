// Fuzzes the settings-file parser: any text must parse, and writing it back must be stable (a
// file written once reads and writes again to the same text).
#include "core/ini_file.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    mca::IniFile ini = mca::IniFile::parse(text);
    (void)ini.readInteger("Values", "PreSetRealTime", 1);
    (void)ini.readFloat("Values", "Sensitivity", 1.0);
    (void)ini.readColour("Values", "GridColor", 0);
    ini.writeString("Values", "Fuzz", text.substr(0, 16));
    const std::string once = ini.text();
    if (mca::IniFile::parse(once).text() != once) std::abort();
    return 0;
}
