// The second service panel: MCA 1's serial number, firmware, HV polarity and HV unit, PDA mode,
// and battery tracking with its table. Shown only with the service marker file; the commands,
// their refusals and their messages are the core's ServiceCommands.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QWidget>

#include "core/workstation.h"
#include "device/service_commands.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace mca::gui {

class ServicePanel : public QWidget {
    Q_OBJECT

public:
    ServicePanel(Workstation& w, ServiceCommands& service, QWidget* parent = nullptr);

    void refresh();

signals:
    void commandFinished();

private:
    QWidget* buildIdentity();
    QWidget* buildBattery();
    QWidget* buildDisplayOffset();
    void run(const std::function<void()>& command);
    void showBatteryTable();

    Workstation& m_w;
    ServiceCommands& m_service;
    QLineEdit* m_serial = nullptr;
    QRadioButton* m_positive = nullptr;
    QRadioButton* m_negative = nullptr;
    QLineEdit* m_hvUnit = nullptr;
    QCheckBox* m_trackBattery = nullptr;
    QTableWidget* m_battery = nullptr;
    QSpinBox* m_displayOffset = nullptr;
    QLabel* m_displayOffsetText = nullptr;
};

}  // namespace mca::gui
