// The detector settings an instrument receives when it is brought up, in their fixed order, each
// announced on the splash window and preceded by five 50 ms pauses and one of 100 ms.
#pragma once

#include "core/start_close_steps.h"
#include "core/workstation.h"

#include <functional>

namespace mca {

void sendSettingsInOrder(Workstation& w, const std::function<void(SettingStep)>& apply);

}  // namespace mca
