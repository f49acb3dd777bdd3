// The hardware panel of the two-instrument layout once a second instrument is open: which
// instrument it shows and edits, the values it holds, and which of its controls are usable.
#pragma once

#include "core/app_state.h"
#include "core/hardware_settings.h"
#include "core/instrument_session.h"

#include <array>
#include <cstddef>

namespace mca {

class Workstation;

// The buttons that each send one setting of the panel.
enum class PanelSetButton { HighVoltage, NotToExceed, Input, CoarseGain, FineGain, ShapingTime, Threshold };
inline constexpr std::size_t kPanelSetButtonCount = 7;

struct HardwarePanelState {
    int instrument = 1;                      // the choice "MCA 1" / "MCA 2"
    HardwareSettings values;                 // HV, NTE, input, gains, shaping time, threshold
    int hvLimitVolts = kDefaultHvFullScale;  // upper limit of the HV and not-to-exceed fields
    bool editAllowed = true;                 // "Allow Edit"
    bool combinedView = false;               // the view "Combined" switches editing off
    std::array<bool, kPanelSetButtonCount> setEnabled{};

    bool controlsEnabled() const { return editAllowed && !combinedView; }
    bool setButtonEnabled(PanelSetButton button) const {
        return controlsEnabled() && setEnabled[static_cast<std::size_t>(button)];
    }
};

// "MCA 1" or "MCA 2": loads that instrument's cached settings and HV limit into the panel and
// disables every Set button until a value is changed. Throws std::out_of_range for another n.
void chooseHardwarePanelInstrument(Workstation& w, HardwarePanelState& panel, int n);

// The view choice: "MCA #1" and "MCA #2" choose the matching instrument for the panel and let it
// be edited again; "Combined" switches editing off; "Split" leaves the panel as it is.
void selectTwoInstrumentView(Workstation& w, HardwarePanelState& panel, TwoInstrumentView view);

// "Allow Edit": every hardware control on or off together.
void allowHardwareEdit(HardwarePanelState& panel, bool on);

// The operator changed the value behind `button`: its Set button becomes usable.
void noteHardwareValueChanged(HardwarePanelState& panel, PanelSetButton button);

}  // namespace mca
