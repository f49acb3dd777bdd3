// The hardware panel's choice between the two instruments.
#include "device/discovery_panel_choice.h"

#include "core/workstation.h"
#include "device/hardware_control.h"

#include <stdexcept>

namespace mca {

void chooseHardwarePanelInstrument(Workstation& w, HardwareControl& control, int n) {
    if (n != 1 && n != 2) throw std::out_of_range("The hardware panel has no MCA " + std::to_string(n));
    w.state.view.hardwarePanelInstrument = n;
    control.showInstrument(n);
}

void selectTwoInstrumentView(Workstation& w, HardwareControl& control, HardwarePanelAccess& access,
                             TwoInstrumentView view) {
    w.state.view.twoInstrumentView = view;
    switch (view) {
        case TwoInstrumentView::Mca1:
        case TwoInstrumentView::Mca2:
            access.combinedView = false;
            chooseHardwarePanelInstrument(w, control, view == TwoInstrumentView::Mca1 ? 1 : 2);
            break;
        case TwoInstrumentView::Combined: access.combinedView = true; break;
        case TwoInstrumentView::Split: break;
    }
}

}  // namespace mca
