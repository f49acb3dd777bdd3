// The "Developer" service panel: resolution mode, ADC smoothing and corrections, baud rate, the
// two-byte stream, the offset override, and MCA 1's error counter and serial factor. Shown only
// with the service marker file; every command is the core's HardwareControl or ServiceCommands.
#pragma once

// Qt's headers come first: moc cannot parse the standard library's concepts (<compare>) unless
// Qt has been read before them.
#include <QWidget>

#include "app/application.h"
#include "device/service_commands.h"

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace mca::gui {

class DeveloperPanel : public QWidget {
    Q_OBJECT

public:
    DeveloperPanel(Application& app, ServiceCommands& service, QWidget* parent = nullptr);

    void refresh();

signals:
    void commandFinished();

private:
    QWidget* buildModes();
    QWidget* buildLink();
    void run(const std::function<void()>& command);

    Application& m_app;
    ServiceCommands& m_service;
    std::array<QPushButton*, 5> m_modes{};
    QCheckBox* m_adcCorrectionsOff = nullptr;
    QCheckBox* m_twoByte = nullptr;
    QCheckBox* m_overrideOffset = nullptr;
    QSpinBox* m_offset = nullptr;
    QPushButton* m_setOffset = nullptr;
    QLabel* m_errors = nullptr;
    QLabel* m_serialFactor = nullptr;
};

}  // namespace mca::gui
