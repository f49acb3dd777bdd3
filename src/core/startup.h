// The start of mca: edition, command line, folders, settings, library, instrument, detector and
// last files, in the fixed order the operator sees on the splash window.
#pragma once

#include "core/start_close_steps.h"
#include "core/workstation.h"

#include <string>
#include <vector>

namespace mca {

enum class StartOutcome { Running, Ended };

// Runs the start sequence. Ended means the process must end now (wrong title, missing default
// library, a folder that cannot be made, "No" to offline mode, "Abort" at the HV question); the
// reason has been shown through the operator.
StartOutcome startWorkstation(Workstation& w, const std::vector<std::string>& arguments, StartCloseSteps& steps);

// The library file to load: LastLibrary, else the edition default when LastLibrary is missing in
// Library/; nullopt (after the closing message) when the default is missing too.
std::optional<std::filesystem::path> chooseLibraryFile(Workstation& w);

// The question asked before the high voltage is switched on at start.
std::string highVoltageQuestion(const Workstation& w, const std::string& detectorVolts);

// The version texts: three numbers for files and the splash, four for "Version Information".
std::string programVersion();
std::string fourPartVersion();

}  // namespace mca
