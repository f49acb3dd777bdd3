// The settings file of mca: section "Values" read once at start and written once at close, plus
// the few keys written the moment they change.
#pragma once

#include "core/workstation.h"

#include <string_view>

namespace mca {

inline constexpr std::string_view kValuesSection = "Values";

// Reads section "Values" into the workstation's settings, AppState (presets, dead-time options)
// and the HV units of MCA 1 and 2. Every value missing or unreadable takes its default. Must run
// after the command line has been read: a network acquisition time replaces the real-time preset
// and arms it. Problems are reported through the operator and the start goes on.
void loadSettings(Workstation& w);

// Writes every key that is saved at close, keeping everything else in the file. Throws FileError.
void saveSettings(Workstation& w);

// Writes one key of "Values" at once (the port choices, the COM-port menu toggles, the last
// script). Throws FileError.
void writeSetting(const Workstation& w, std::string_view key, std::string_view value);

// Reads one key of "Values" from the file now (the port dialog, the spectrum reader).
std::string readSetting(const Workstation& w, std::string_view key, std::string_view defaultValue);

// A stored "C:\...\name" is cut to the part after its last backslash.
std::string cutStoredPath(const std::string& value);

}  // namespace mca
