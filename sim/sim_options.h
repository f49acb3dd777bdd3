// The command line of mca-sim: which instrument it plays and where it logs.
#pragma once

#include "sim/instrument_state.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mca::sim {

// A command line mca-sim cannot run with; the text says which option and why.
class OptionError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

struct SimOptions {
    InstrumentConfig instrument;
    bool seedGiven = false;  // otherwise the caller seeds from the time
    std::string linkPath;    // empty: no link
    std::string logPath;     // empty: no log
    bool help = false;
};

// Reads the arguments after the program name; both "--rate 500" and "--rate=500" are accepted.
// Throws OptionError.
SimOptions parseSimOptions(const std::vector<std::string>& args);

// The usage text, ending in a newline.
std::string simUsage();

}  // namespace mca::sim
