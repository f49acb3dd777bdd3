// The logic of the "Select Detector" dialog: its title and list, the request for a first detector,
// "Use this detector", cancelling, and the save when it closes.
#pragma once

#include "calibration/detector_add_dialog.h"
#include "calibration/detector_databases.h"
#include "calibration/detector_use.h"

#include <string>
#include <vector>

namespace mca {

class Workstation;

enum class SelectDialogStart {
    Shown,           // the dialog shows its list
    NeedsDetector,   // the database holds no detector: the message was shown, open Add New Detector
    SelectsItself,   // monitoring-network mode: hide, and let a one-shot timer call useAndClose()
};

enum class SelectDialogEnd {
    Closed,       // closed (with or without a detector used); the database was saved when allowed
    EndProgram,   // cancelled during start-up: the program ends
};

class DetectorSelectDialog {
public:
    DetectorSelectDialog(Workstation& w, DetectorDatabases& databases, DetectorUseHooks& hooks, int n,
                         DetectorUseOptions options);

    // "Select Detector for " ["2nd " ...] edition word " #" serial [" (" alias ") "].
    std::string title() const;
    std::vector<std::string> list() const;
    // The selected index while the list shows it, else -1.
    int listIndex() const;
    bool useEnabled() const { return listIndex() >= 0; }
    // "Add new detector..." is not offered after Select/Change.
    bool addEnabled() const { return !m_options.afterSelectChange; }

    // "Add new detector...": the Add New Detector dialog for this dialog's instrument. Once it has
    // added, list() shows the new detector.
    DetectorAddDialog addDialog() const { return DetectorAddDialog(m_workstation, m_databases, m_instrument); }

    // Called when the dialog is shown; see SelectDialogStart.
    SelectDialogStart open();

    // A click in the list: the selected index follows (written into field 42). Out of the list: no
    // change.
    void chooseListItem(int index);

    // "Use this detector", for the selected record; the dialog then closes through close().
    void useThisDetector();
    // The network mode's timer: "Use this detector" and close.
    SelectDialogEnd useAndClose();

    // "&Cancel/Close": ends the program during start-up, otherwise closes without using a detector.
    SelectDialogEnd cancel();

    // Closing: the list's index (0 when none) becomes the selected index and the database is saved,
    // except during start-up and offline. A save that fails is shown to the operator.
    SelectDialogEnd close();

private:
    Workstation& m_workstation;
    DetectorDatabases& m_databases;
    DetectorUseHooks& m_hooks;
    int m_instrument;
    DetectorUseOptions m_options;
};

// "A detector must be entered before MCA can be opened." ("second MCA" ... for instruments 2-4).
std::string detectorRequiredMessage(int n);

}  // namespace mca
