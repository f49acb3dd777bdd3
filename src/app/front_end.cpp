// The default front end: every dialog takes its preselected answer.
#include "app/front_end.h"

#include "calibration/detector_add_dialog.h"

namespace mca {

SelectDialogEnd FrontEnd::runDetectorSelect(DetectorSelectDialog& dialog) {
    if (dialog.useEnabled()) dialog.useThisDetector();
    return dialog.close();
}

void FrontEnd::runDetectorAdd(DetectorAddDialog& dialog) { dialog.add(); }

}  // namespace mca
