// The alias file of an instrument: serial number + "_Alias.txt" in the application folder, one
// Windows-1252 line holding the name the operator gave the instrument.
#pragma once

#include "core/folders.h"

#include <filesystem>
#include <optional>
#include <string>

namespace mca {

// The alias file of `serial`; nullopt when the serial number cannot name a file (empty, or holding
// a path separator or a NUL).
std::optional<std::filesystem::path> aliasFilePath(const AppFolders& folders, const std::string& serial);

// The file's first line without its line end; empty when there is no file or its first line is
// empty. Throws FileError when the file exists but cannot be read.
std::string readAliasFile(const AppFolders& folders, const std::string& serial);

// Replaces the file with the alias and CR LF, atomically. Throws FileError when it cannot be
// written, or when the serial number cannot name a file.
void writeAliasFile(const AppFolders& folders, const std::string& serial, const std::string& alias);

}  // namespace mca
