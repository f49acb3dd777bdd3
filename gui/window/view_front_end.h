// The application's front end in the window program: dialogs go to a dialog front end (the Qt
// windows in the program, the preselected answers in tests), view refreshes to the main window.
#pragma once

#include "app/front_end.h"

namespace mca {

class MainWindow;

class ViewFrontEnd : public FrontEnd {
public:
    explicit ViewFrontEnd(FrontEnd& dialogs) : m_dialogs(dialogs) {}

    // The window that draws; until it exists (during construction) refreshes are dropped.
    void setWindow(MainWindow* window) { m_window = window; }

    SelectDialogEnd runDetectorSelect(DetectorSelectDialog& dialog) override;
    void runDetectorAdd(DetectorAddDialog& dialog) override;
    void showDoneWindow() override;
    void redrawCharts() override;
    void refreshCursorReadout() override;
    void spectrumCleared() override;

private:
    FrontEnd& m_dialogs;
    MainWindow* m_window = nullptr;
};

}  // namespace mca
