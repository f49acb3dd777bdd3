// Loading the current library into mca: at start, from "&Load Library..." (with the file dialog)
// and from "Refresh Library" (without). Stopping and restarting a running acquisition around
// "&Load Library..." is the caller's part.
#pragma once

#include "library/nuclide_library.h"

#include <filesystem>

namespace mca {

class Operator;
class Workstation;

// A bare file name is taken from `libraryFolder`; a path with a folder is used as it is.
std::filesystem::path libraryPath(const std::filesystem::path& libraryFolder, const std::filesystem::path& file);

// Reads `file` (a bare name from `libraryFolder`), rebuilds every view, makes it the current
// library and selects the first nuclide of the list. A file that cannot be read reports
// "Cannot open file " + path, and a primary yield that is not a number reports the conversion
// error; either way `library` is left as it was and false is returned.
bool loadLibraryFile(NuclideLibrary& library, const std::filesystem::path& file,
                     const std::filesystem::path& libraryFolder, Operator& op);

// With `prompt`, asks for the file in a dialog that starts at the current library in
// `libraryFolder`; a cancelled dialog changes nothing and returns false. Without, reloads the
// current library (the path it was last read from).
bool LoadLibrary(NuclideLibrary& library, bool prompt, const std::filesystem::path& libraryFolder, Operator& op);

// The same for mca's workstation: its Library folder and operator. Without a current library yet
// the name comes from LastLibrary. A successful load writes the current name to LastLibrary, so
// that close keeps it.
bool LoadLibrary(Workstation& w, NuclideLibrary& library, bool prompt);

// The start step: loads the file chosen by the start sequence (see chooseLibraryFile).
bool loadLibraryFile(Workstation& w, NuclideLibrary& library, const std::filesystem::path& file);

}  // namespace mca
