// What the main window shows that the core decides: captions, the splash feedback, status texts,
// which groups of commands are offered, and the window's placement. The window only mirrors it.
#pragma once

#include "core/command_line.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace mca {

// The status-bar texts of one instrument.
struct InstrumentStatusTexts {
    std::string counts;     // "12,345 cnts"
    std::string rate;       // "1234 cpm"
    std::string deadTime;   // "Correcting for 1.25% dead time"
    std::string battery;    // "8.95"
};

struct ScreenState {
    std::string caption;                  // main window caption
    std::string applicationTitle;         // task-bar title (the alias replaces it)
    std::string splashCaption;
    std::string splashVersion;            // "Interface Version x.y.z BETA"
    std::string splashText;               // the feedback line
    std::vector<std::string> splashHistory;   // every feedback text shown, in order

    bool maximised = true;
    WindowPoint size;                     // -SIZE values that were valid
    std::optional<WindowPoint> position;  // -POS

    bool quadControlsVisible = false;     // charts 2-4, chooser, "Run Last Script", MCA 2-4 items
    bool advancedCommandsVisible = true;  // false with -Simplified
    bool networkItemsHidden = false;      // -RNMODE hides MCA 2-4, second port and script items
    bool elapsedTimeYellow = false;       // -RNMODE
    bool metPanelVisible = false;         // field station: GPS/met panel (height 192)
    bool presetRealTimeReadOnly = false;  // field station: real-time preset forced on
    bool presetCountsVisible = true;

    bool hardwareControlsEnabled = true;  // false offline
    std::string hvField;                  // "0.00" offline
    std::string thresholdField;           // "20" offline
    std::string hvStatus;                 // "On" / "Off"
    std::string hvText;                   // the voltage, or "0 V"
    std::string connectionStatus;         // "Offline" when offline
    std::string hvMenuCaption;            // "Disable High &Voltage" / "Enable High &Voltage"
    std::string indicator;                // "Spectrum Clear", "Acquiring", "Acquisition Stopped"
    std::string chart1Title;
    bool xAxisInEnergy = false;
    int displayOffsetChannels = 0;        // the display's channel offset, -100 .. +100

    std::string elapsedTime;              // realTime in whole seconds
    std::string spectrumFileName;         // the file the live spectrum came from or went to
    std::array<InstrumentStatusTexts, 4> instrumentStatus;
    bool deadTimeMenuEnabled = true;      // disabled from Start until Clear
    bool loadCalFromSpectrumEnabled = false;

    void showSplash(const std::string& text) {
        splashText = text;
        splashHistory.push_back(text);
    }
};

}  // namespace mca
