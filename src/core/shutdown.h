// The close of mca: unsaved work, the confirmation, saving the detector tables and settings, and
// leaving every instrument stopped with its high voltage off.
#pragma once

#include "core/start_close_steps.h"
#include "core/workstation.h"

namespace mca {

// Runs the close sequence. Returns false when the operator cancelled the close (nothing has been
// changed then beyond what they chose to save); true when the program may end.
bool closeWorkstation(Workstation& w, StartCloseSteps& steps);

}  // namespace mca
