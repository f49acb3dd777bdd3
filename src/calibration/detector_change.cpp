// The Select/Change command.
#include "calibration/detector_change.h"

#include "core/workstation.h"

namespace mca {

DetectorSelectDialog beginDetectorChange(Workstation& w, DetectorDatabases& databases, DetectorUseHooks& hooks) {
    const int n = addressedInstrument(w.state, w.sessions);
    if (w.state.acquiring) hooks.stopAcquisition(w);
    hooks.stopHousekeepingTimer(w);
    hooks.switchHighVoltageOff(w, n);
    hooks.rampHighVoltageDown(w, n);
    w.screen.hvStatus = "Off";
    w.screen.hvText = "0 V";
    hooks.showDetectorInStatusBar(w, {}, {});
    w.op().message(std::string(kSafeToChangeDetectorsMessage), std::string(w.state.edition.windowCaption),
                   MessageKind::Information);
    hooks.clearSpectrum(w, n);
    w.screen.xAxisInEnergy = false;
    return DetectorSelectDialog(w, databases, hooks, n, DetectorUseOptions{.afterSelectChange = true});
}

}  // namespace mca
