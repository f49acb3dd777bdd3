// The window front of the application: what the core asks of a window (the modal Select Detector
// and Add New Detector dialogs, the "Done!" window) shown with Qt, over the core dialog objects.
#pragma once

#include "app/front_end.h"
#include "dialogs/dialog_support.h"
#include "dialogs/done_window.h"

#include <QPointer>

class QWidget;

namespace mca::gui {

class QtFrontEnd : public FrontEnd {
public:
    // The dialogs and the Done! window are parented to `parent` (may be null); the Done! window
    // beeps through `op` on a timer of `scheduler`.
    QtFrontEnd(QWidget* parent, Operator& op, Scheduler& scheduler);
    ~QtFrontEnd() override;
    QtFrontEnd(const QtFrontEnd&) = delete;
    QtFrontEnd& operator=(const QtFrontEnd&) = delete;

    SelectDialogEnd runDetectorSelect(DetectorSelectDialog& dialog) override;
    void runDetectorAdd(DetectorAddDialog& dialog) override;
    void showDoneWindow() override;

    // How a modal dialog is run: exec() unless replaced (tests drive the dialog and close it).
    void setModalRunner(ModalRunner runner) { m_runModal = std::move(runner); }
    // The Done! window once it has been shown; null before.
    DoneWindow* doneWindow() const { return m_done.data(); }

private:
    QWidget* m_parent;
    Operator& m_op;
    Scheduler& m_scheduler;
    ModalRunner m_runModal = execModal;
    QPointer<DoneWindow> m_done;
};

}  // namespace mca::gui
