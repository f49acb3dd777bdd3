// What the terminal front prints: the workstation's status and a coarse picture of a spectrum.
#pragma once

#include "core/workstation.h"

#include <iosfwd>

namespace mca::console {

void printStatus(const Workstation& w, std::ostream& out);
// The spectrum of instrument n in 32 bands, each a bar scaled to the largest band.
void printSpectrum(const Workstation& w, int instrument, std::ostream& out);

}  // namespace mca::console
