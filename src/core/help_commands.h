// The Help menu of mca: the manual, the About box and the version information.
#pragma once

#include "core/start_close_steps.h"
#include "core/workstation.h"

#include <functional>
#include <string>

namespace mca {

// Opens the help file when one is beside the program, else the edition's PDF manual (the
// field-station manual falls back to the OSKA one). Failures are ignored.
void openHelp(Workstation& w);

// The file "Help..." opens: the help file or the manual in the application folder.
std::filesystem::path helpFile(const Workstation& w);

struct AboutTexts {
    std::string productName;
    std::string interfaceVersion;   // "Interface Version " + version
    std::string firmwareVersion;    // "Firmware Version " + MCA 1's firmware text
};
AboutTexts aboutTexts(const Workstation& w);

// Shows the About box through `showModal`; while acquiring it asks first, stops the acquisition
// and starts it again afterwards.
void showAbout(Workstation& w, StartCloseSteps& steps, const std::function<void(const AboutTexts&)>& showModal);

// Shows "TREL MCA Version #1.0.0.0" and the like.
void showVersionInformation(Workstation& w);

}  // namespace mca
