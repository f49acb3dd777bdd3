// Routes the application's requests to the dialogs and to the main window.
#include "view_front_end.h"

#include "main_window.h"

namespace mca {

SelectDialogEnd ViewFrontEnd::runDetectorSelect(DetectorSelectDialog& dialog) {
    return m_dialogs.runDetectorSelect(dialog);
}

void ViewFrontEnd::runDetectorAdd(DetectorAddDialog& dialog) { m_dialogs.runDetectorAdd(dialog); }

void ViewFrontEnd::showDoneWindow() { m_dialogs.showDoneWindow(); }

void ViewFrontEnd::redrawCharts() {
    if (m_window) m_window->redrawCharts();
}

void ViewFrontEnd::refreshCursorReadout() {
    if (m_window) m_window->refreshTickReadout();
}

void ViewFrontEnd::spectrumCleared() {
    if (m_window) m_window->spectrumCleared();
}

}  // namespace mca
