// mca-analyze peaks: the peak search, re-analysis and identification on a saved spectrum, printed
// as the peak report or as JSON.
#pragma once

#include <string>
#include <vector>

namespace mca::analyze {

// Runs `peaks` with its arguments (everything after the word "peaks"):
//   FILE.usf|FILE.spe [--library FILE.lib] [--sensitivity S] [--significance G]
//   [--rule kev:15|percent:3|area|fwhm:1] [--calibration A0,A1[,A2]] [--json]
// Returns the exit status: 0 done, 1 the file or the library cannot be read, 2 bad arguments.
int peaksCommand(const std::vector<std::string>& args);

// The usage lines of the command.
inline constexpr const char* kPeaksUsage =
    "       mca-analyze peaks FILE.usf|FILE.spe [--library FILE.lib] [--sensitivity S] [--significance G]\n"
    "                         [--rule kev:15|percent:3|area|fwhm:1] [--calibration A0,A1[,A2]] [--json]\n";

}  // namespace mca::analyze
