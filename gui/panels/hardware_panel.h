// The hardware side panel: the analog settings of the instrument the panel edits, each edit
// pending until its Set button sends it, the high-voltage switch, the "MCA 1" / "MCA 2" choice of
// the two-instrument layout, and (with the service marker file) the service gain and HV buttons
// and the two service panels. The values, the pending edits and every rule are the core's
// HardwareControl; this widget shows them and passes the operator's edits and presses on.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QWidget>

#include "app/application.h"
#include "device/discovery_panel_choice.h"
#include "device/hardware_panel.h"
#include "device/service_commands.h"

#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace mca::gui {

class DeveloperPanel;
class ServicePanel;

class HardwarePanel : public QWidget {
    Q_OBJECT

public:
    // `app` must outlive the panel.
    explicit HardwarePanel(Application& app, QWidget* parent = nullptr);
    ~HardwarePanel() override;

    // Shows the core's state again: values, pending marks, what may be used, the HV status and the
    // service controls. The main window calls it after every tick and state change.
    void refresh();

    // "Allow Edit" and the "Combined" view of the two-instrument layout switch editing off; the
    // main window passes this to selectTwoInstrumentView.
    HardwarePanelAccess& access() { return m_access; }
    ServiceCommands& service() { return m_service; }

public slots:
    // The menu item "Disable High &Voltage" / "Enable High &Voltage" of the addressed instrument.
    void toggleHighVoltage();

signals:
    // A hardware command has run: the HV status, the chart's X axis and the channel count may
    // have changed.
    void commandFinished();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildSettings();
    QWidget* buildInstrumentChoice();
    QWidget* buildServiceButtons();
    QPushButton* setButton(const char* objectName, const QString& caption, SetButton button);
    void connectEdits();
    // Runs a command with the panel's controls off, then shows what it left.
    void run(const std::function<void()>& command);
    void edit(const std::function<void(mca::HardwarePanel&)>& change);
    void pressSet(SetButton button);
    void chooseInstrument(int n);
    bool editingAllowed() const;
    void showValues();
    void showEnabled(bool usable);
    void showStatus();

    Application& m_app;
    HardwareControl& m_control;
    ServiceCommands m_service;
    HardwarePanelAccess m_access;

    QDoubleSpinBox* m_hv = nullptr;
    QSpinBox* m_threshold = nullptr;
    QComboBox* m_coarseGain = nullptr;
    QSpinBox* m_fineGain = nullptr;
    QComboBox* m_input = nullptr;
    QComboBox* m_shaping = nullptr;
    QLabel* m_offset = nullptr;
    QLabel* m_fineGainText = nullptr;
    QLabel* m_overallGainText = nullptr;
    QDoubleSpinBox* m_nte = nullptr;
    QCheckBox* m_editNte = nullptr;
    QPushButton* m_setNte = nullptr;
    std::array<QPushButton*, kPendingOrder.size()> m_setButtons{};
    QLabel* m_hvStatus = nullptr;
    QLabel* m_hvText = nullptr;
    QPushButton* m_hvSwitch = nullptr;
    QWidget* m_choice = nullptr;
    QRadioButton* m_mca1 = nullptr;
    QRadioButton* m_mca2 = nullptr;
    QWidget* m_serviceButtons = nullptr;
    QPushButton* m_showDeveloper = nullptr;
    QPushButton* m_showService = nullptr;
    DeveloperPanel* m_developer = nullptr;
    ServicePanel* m_servicePanel = nullptr;
    bool m_running = false;
};

}  // namespace mca::gui
