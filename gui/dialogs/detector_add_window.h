// The "Add New Detector" window: the detector to base the new one on, the identity, hardware and
// ramp entries, the gain read-outs and "&Add", over the core's DetectorAddDialog, which holds the
// entries and makes every check.
#pragma once

#include "calibration/detector_add_dialog.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSlider;
class QSpinBox;

namespace mca::gui {

class DetectorAddWindow : public QDialog {
    Q_OBJECT
public:
    explicit DetectorAddWindow(DetectorAddDialog& dialog, QWidget* parent = nullptr);

    // Whether "&Add" added a detector before the window closed.
    bool added() const { return m_added; }

public slots:
    // Shows the dialog's entries and gain read-outs in every control.
    void refresh();
    // "&Add": closes the window when the dialog added the detector; a refusal was shown to the
    // operator by the dialog and the window stays.
    void addDetector();

private:
    QWidget* buildIdentity();
    QWidget* buildHardware();
    QWidget* buildRamp();
    void connectEntries();
    void identityEdited(QLineEdit* edit, void (DetectorAddDialog::*set)(std::string_view),
                        std::string DetectorEntries::*shown);
    DetectorEntries& entries() { return m_dialog.editEntries(); }
    void showGains();

    DetectorAddDialog& m_dialog;
    bool m_added = false;
    bool m_refreshing = false;
    QComboBox* m_base = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_serial = nullptr;
    QLineEdit* m_description = nullptr;
    QLineEdit* m_cableLength = nullptr;
    QComboBox* m_units = nullptr;
    QComboBox* m_channels = nullptr;
    QComboBox* m_input = nullptr;
    QLineEdit* m_highVoltage = nullptr;
    QLineEdit* m_notToExceed = nullptr;
    QComboBox* m_coarseGain = nullptr;
    QSlider* m_fineGain = nullptr;
    QLabel* m_fineGainText = nullptr;
    QLabel* m_overallGain = nullptr;
    QComboBox* m_shapingTime = nullptr;
    QLineEdit* m_threshold = nullptr;
    QCheckBox* m_ramp = nullptr;
    QSpinBox* m_rampValue = nullptr;
    QCheckBox* m_zero = nullptr;
};

}  // namespace mca::gui
