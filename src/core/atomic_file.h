// Whole-file reads and writes. A write goes to a temporary beside the target and is renamed over
// it, so a crash or a full disk never leaves a half-written file behind.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mca {

// Replaces (or creates) the file with exactly these bytes. A replaced file keeps its mode; a new
// one gets 0666 less the umask. On failure the old file is untouched and FileError is thrown.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// The whole file; FileError when it cannot be opened or read.
std::string readFileBytes(const std::filesystem::path& path);

// The whole file, or nullopt when it does not exist; any other failure (a folder, no permission,
// a path through a regular file) throws FileError.
std::optional<std::string> readFileIfExists(const std::filesystem::path& path);

}  // namespace mca
