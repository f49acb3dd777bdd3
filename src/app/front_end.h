// What only a window (or the terminal) can do for the application: the modal detector dialogs,
// the "Done!" window and the redrawing of the view. The logic of each dialog is a core object; the front end only shows it and
// passes the operator's choices to its commands. With no front end, dialogs take their preselected
// answer.
#pragma once

#include "calibration/detector_select_dialog.h"

namespace mca {

class DetectorAddDialog;

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Shows the Select Detector dialog until it is closed or cancelled and returns what its
    // close() or cancel() said; the default uses the preselected detector and closes.
    virtual SelectDialogEnd runDetectorSelect(DetectorSelectDialog& dialog);
    // Shows Add New Detector until the operator adds or gives up; the default adds the
    // preselected base (the Generic detector for an empty database).
    virtual void runDetectorAdd(DetectorAddDialog& dialog);
    virtual void showDoneWindow() {}

    // The view: every open chart is redrawn once per acquisition second and after Start, Stop,
    // Clear and loads; the cursor read-out is refreshed at the end of each tick.
    virtual void redrawCharts() {}
    virtual void refreshCursorReadout() {}
    virtual void spectrumCleared() {}
};

}  // namespace mca
