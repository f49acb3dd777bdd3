// The hardware panel of the two-instrument layout once a second instrument is open: which
// instrument it shows and edits, and whether its controls can be used. The values and the pending
// Set buttons are the HardwareControl's panel.
#pragma once

#include "core/app_state.h"

namespace mca {

class Workstation;
class HardwareControl;

// "Allow Edit", and the "Combined" view, which switches editing off.
struct HardwarePanelAccess {
    bool editAllowed = true;
    bool combinedView = false;
    bool controlsEnabled() const { return editAllowed && !combinedView; }
};

// "MCA 1" or "MCA 2": that instrument's cached settings and HV limit into the panel, every Set
// button off until a value is changed. Throws std::out_of_range for another n.
void chooseHardwarePanelInstrument(Workstation& w, HardwareControl& control, int n);

// The view choice: "MCA #1" and "MCA #2" choose the matching instrument for the panel and let it
// be edited again; "Combined" switches editing off; "Split" leaves the panel as it is.
void selectTwoInstrumentView(Workstation& w, HardwareControl& control, HardwarePanelAccess& access,
                             TwoInstrumentView view);

}  // namespace mca
