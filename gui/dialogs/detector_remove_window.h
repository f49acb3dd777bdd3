// The "Delete Detector" window: the detectors of one instrument, the chosen record's fields and
// "&Delete Detector", over the core's DetectorRemoveDialog, which asks, refuses and removes.
#pragma once

#include "calibration/detector_remove_dialog.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QTableWidget;

namespace mca::gui {

class DetectorRemoveWindow : public QDialog {
    Q_OBJECT
public:
    explicit DetectorRemoveWindow(DetectorRemoveDialog& dialog, QWidget* parent = nullptr);

public slots:
    // Shows the list, the chosen detector and its fields.
    void refresh();
    // "&Delete Detector": a refusal of the active detector closes the window, a deletion leaves it
    // open with the shorter list.
    void deleteDetector();

signals:
    // A detector was removed from the database.
    void detectorDeleted();

private:
    void showFields();

    DetectorRemoveDialog& m_dialog;
    bool m_refreshing = false;
    QListWidget* m_list = nullptr;
    QTableWidget* m_fields = nullptr;
    QPushButton* m_delete = nullptr;
};

}  // namespace mca::gui
