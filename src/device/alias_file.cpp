// Reading and writing alias files.
#include "device/alias_file.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/text_encoding.h"

namespace mca {

std::optional<std::filesystem::path> aliasFilePath(const AppFolders& folders, const std::string& serial) {
    if (serial.empty() || serial.find_first_of(std::string("/\\") + '\0') != std::string::npos) return std::nullopt;
    return folders.application / (serial + "_Alias.txt");
}

std::string readAliasFile(const AppFolders& folders, const std::string& serial) {
    const auto path = aliasFilePath(folders, serial);
    if (!path) return {};
    const auto bytes = readFileIfExists(*path);
    if (!bytes) return {};
    const std::string line = bytes->substr(0, bytes->find_first_of("\r\n"));
    return cp1252ToUtf8(line);
}

void writeAliasFile(const AppFolders& folders, const std::string& serial, const std::string& alias) {
    const auto path = aliasFilePath(folders, serial);
    if (!path) throw FileError("No alias file can be named after the serial number \"" + serial + "\".");
    writeFileAtomically(*path, utf8ToCp1252(alias) + "\r\n");
}

}  // namespace mca
