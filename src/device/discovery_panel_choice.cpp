// The hardware panel's choice between the two instruments.
#include "device/discovery_panel_choice.h"

#include "core/workstation.h"

namespace mca {

void chooseHardwarePanelInstrument(Workstation& w, HardwarePanelState& panel, int n) {
    if (n != 1 && n != 2) throw std::out_of_range("The hardware panel has no MCA " + std::to_string(n));
    const InstrumentSession& s = w.session(n);
    panel.instrument = n;
    panel.values = s.settings;
    panel.hvLimitVolts = s.hvFullScale;
    panel.setEnabled.fill(false);
    w.state.view.hardwarePanelInstrument = n;
}

void selectTwoInstrumentView(Workstation& w, HardwarePanelState& panel, TwoInstrumentView view) {
    w.state.view.twoInstrumentView = view;
    switch (view) {
    case TwoInstrumentView::Mca1:
    case TwoInstrumentView::Mca2:
        panel.combinedView = false;
        chooseHardwarePanelInstrument(w, panel, view == TwoInstrumentView::Mca1 ? 1 : 2);
        break;
    case TwoInstrumentView::Combined: panel.combinedView = true; break;
    case TwoInstrumentView::Split: break;
    }
}

void allowHardwareEdit(HardwarePanelState& panel, bool on) { panel.editAllowed = on; }

void noteHardwareValueChanged(HardwarePanelState& panel, PanelSetButton button) {
    panel.setEnabled[static_cast<std::size_t>(button)] = true;
}

}  // namespace mca
