// The command line of mca: switches read left to right without regard to case, values taken from
// the arguments that follow, and a file argument that starts the program offline.
#pragma once

#include "core/app_state.h"
#include "core/operator.h"

#include <optional>
#include <string>
#include <vector>

namespace mca {

struct WindowPoint {
    std::optional<int> first;    // width or left
    std::optional<int> second;   // height or top
};

struct CommandLine {
    bool offline = false;
    bool quad = false;
    bool simplified = false;
    bool networkMode = false;          // -RNMODE
    bool plainFileHeader = false;      // -SEC
    int comPort = kNoForcedComPort;    // -COM
    bool sizeGiven = false;            // -SIZE: a normal window, not maximised
    WindowPoint size;                  // the numbers that were valid
    std::optional<WindowPoint> position;   // -POS, only when both numbers were valid
    NetworkAcquisition networkAcquisition = NetworkAcquisition::None;
    int networkSeconds = 0;            // the -RNCA/-RNSA/-RNSR time
    std::string networkPrefix;         // -RNFP
    std::string spectrumFile;          // a ".usf" argument, loaded into MCA 1 after start-up
};

// Reads the arguments (without the program name). Bad values are reported through `op` with the
// workstation's fixed texts and reading goes on with the next argument.
CommandLine parseCommandLine(const std::vector<std::string>& arguments, Operator& op);

}  // namespace mca
