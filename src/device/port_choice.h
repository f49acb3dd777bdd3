// The "Select COM Port" dialog: the ports present, the last choice preselected, and the choice
// kept in the settings file. The dialog is Operator's text entry with the ports listed in its
// prompt; the operator types or confirms a name such as "COM3".
#pragma once

#include "core/serial_port.h"
#include "core/workstation.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mca {

enum class PortPurpose { Instrument, MetStation };

inline constexpr const char* kSelectComPortTitle = "Select COM Port";

// The settings key holding the last choice: LastMetStationPortNum for the met station; for an
// instrument LastExplicitPortNum while hardwareTarget is 1, else LastExplicitPortNum2.
std::string_view portSettingKey(const AppState& state, PortPurpose purpose);

// The preselection when the key holds nothing: "COM1" for the met station, else "COM3".
std::string_view defaultPortName(PortPurpose purpose);

// The number after the first three characters of a port name ("COM12" gives 12); nullopt when
// the rest is not a whole number from 1.
std::optional<int> comNumberOfName(std::string_view name);

// The dialog's prompt: one line per port, "COM3  /dev/ttyUSB0  <description>".
std::string portListingPrompt(const std::vector<PortListing>& ports);

// Shows the dialog. OK with a port name stores "COM" + number under the purpose's key (and, for
// the met station, in the settings written at close) and returns the number. Cancel gives
// nullopt; so does a name that is not a port's, after telling the operator. A settings file that
// cannot be written is reported and the choice still holds for this time.
std::optional<int> choosePort(Workstation& w, PortPurpose purpose);

}  // namespace mca
