// The window front of the application.
#include "dialogs/qt_front_end.h"

#include "dialogs/detector_add_window.h"
#include "dialogs/detector_select_window.h"

namespace mca::gui {

QtFrontEnd::QtFrontEnd(QWidget* parent, Operator& op, Scheduler& scheduler)
    : m_parent(parent), m_op(op), m_scheduler(scheduler) {}

// The Done! window belongs to the parent when there is one; a window the parent has already
// deleted is null here.
QtFrontEnd::~QtFrontEnd() { delete m_done.data(); }

SelectDialogEnd QtFrontEnd::runDetectorSelect(DetectorSelectDialog& dialog) {
    DetectorSelectWindow window(dialog, [this](DetectorAddDialog& add) { runDetectorAdd(add); }, m_parent);
    m_runModal(window);
    return window.end();
}

void QtFrontEnd::runDetectorAdd(DetectorAddDialog& dialog) {
    DetectorAddWindow window(dialog, m_parent);
    m_runModal(window);
}

void QtFrontEnd::showDoneWindow() {
    if (!m_done) m_done = new DoneWindow(m_op, m_scheduler, m_parent);
    m_done->ring();
}

}  // namespace mca::gui
