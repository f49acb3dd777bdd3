// The device layer's start and close steps.
#include "device/device_steps.h"

#include "device/discovery_first.h"

namespace mca {

bool DeviceSteps::findInstrument(Workstation& w) { return openFirstInstrument(w); }

bool DeviceSteps::readIdentity(Workstation& w) {
    return readFirstInstrumentIdentity(w, m_discovery) == IdentityOutcome::Read;
}

}  // namespace mca
