// "MCA COM Port..." and "2nd MCA COM Port...": which port the first or the second instrument uses.
#pragma once

#include "core/workstation.h"

#include <string>

namespace mca {

enum class PortInfoSubject { First, Second };

// "<name> is currently Offline" or "<name> #<serial> is currently using COM <n>", with "2nd "
// before the name for the second instrument. The first counts as offline when the workstation
// is offline or MCA 1 is not open; the second when MCA 2 is not open.
std::string portInfoText(const Workstation& w, PortInfoSubject subject);

// Shows portInfoText to the operator.
void showPortInfo(Workstation& w, PortInfoSubject subject);

}  // namespace mca
