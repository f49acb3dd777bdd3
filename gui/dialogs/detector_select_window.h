// The "Select Detector" window: the detector list of one instrument, "Use this detector", "Add new
// detector..." and "&Cancel/Close", over the core's DetectorSelectDialog, which decides everything.
#pragma once

#include "calibration/detector_select_dialog.h"

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;

namespace mca::gui {

class DetectorSelectWindow : public QDialog {
    Q_OBJECT
public:
    // `runAdd` shows Add New Detector for "Add new detector..."; the list is shown again afterwards.
    DetectorSelectWindow(DetectorSelectDialog& dialog, std::function<void(DetectorAddDialog&)> runAdd,
                         QWidget* parent = nullptr);

    // What the dialog's close() or cancel() answered; Closed while the window is still open.
    SelectDialogEnd end() const { return m_end; }

public slots:
    // Shows the dialog's title, list, selection and which buttons it offers.
    void refresh();
    // "Use this detector": the detector is used and the window closes.
    void useDetector();
    // "Add new detector...".
    void addDetector();
    // "&Cancel/Close", Escape and the frame's close box alike: the dialog's cancel(), which ends
    // the program during start-up.
    void reject() override;

private:
    void listRowChanged(int row);

    DetectorSelectDialog& m_dialog;
    std::function<void(DetectorAddDialog&)> m_runAdd;
    SelectDialogEnd m_end = SelectDialogEnd::Closed;
    bool m_refreshing = false;
    QListWidget* m_list = nullptr;
    QPushButton* m_use = nullptr;
    QPushButton* m_add = nullptr;
};

}  // namespace mca::gui
