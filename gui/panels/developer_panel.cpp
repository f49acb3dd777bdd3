// The "Developer" service panel.
#include "developer_panel.h"

#include "panel_support.h"

#include "core/hardware_settings.h"
#include "device/hardware_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

constexpr int kSmoothingButtons = 5;

}  // namespace

DeveloperPanel::DeveloperPanel(Application& app, ServiceCommands& service, QWidget* parent)
    : QWidget(parent), m_app(app), m_service(service) {
    setObjectName("pnlDeveloper");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildModes());
    layout->addWidget(buildLink());
}

QWidget* DeveloperPanel::buildModes() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    for (int m = 1; m <= static_cast<int>(m_modes.size()); ++m) {
        const int channels = channelsOf(static_cast<ResolutionMode>(m - 1));
        auto* b = new QPushButton(QString("%1: %2").arg(m).arg(channels), box);
        b->setObjectName(QString("btnMode%1").arg(m));
        connect(b, &QPushButton::clicked, this, [this, m] { run([this, m] { m_app.hardware().setMode(m); }); });
        m_modes[static_cast<std::size_t>(m - 1)] = b;
        grid->addWidget(b, 0, m - 1);
    }
    for (int d = 0; d < kSmoothingButtons; ++d) {
        auto* b = new QPushButton(QString("Smudge %1").arg(d), box);
        b->setObjectName(QString("btnSmudge%1").arg(d));
        connect(b, &QPushButton::clicked, this, [this, d] { run([this, d] { m_app.hardware().setAdcSmoothing(d); }); });
        grid->addWidget(b, 1, d);
    }
    m_adcCorrectionsOff = new QCheckBox("Disable ADC Corrections", box);
    m_adcCorrectionsOff->setObjectName("chkDisableADCCorrections");
    connect(m_adcCorrectionsOff, &QCheckBox::toggled, this,
            [this](bool off) { run([this, off] { m_app.hardware().setAdcCorrections(!off); }); });
    grid->addWidget(m_adcCorrectionsOff, 2, 0, 1, kSmoothingButtons);
    return box;
}

QWidget* DeveloperPanel::buildLink() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    auto* fast = new QPushButton("256000 bps", box);
    fast->setObjectName("btnFastBaud");
    auto* normal = new QPushButton("Normal bps", box);
    normal->setObjectName("btnNormalBaud");
    connect(fast, &QPushButton::clicked, this, [this] { run([this] { m_service.switchToFastBaud(); }); });
    connect(normal, &QPushButton::clicked, this, [this] { run([this] { m_service.switchToNormalBaud(); }); });
    grid->addWidget(fast, 0, 0);
    grid->addWidget(normal, 0, 1);
    m_twoByte = new QCheckBox("Two-byte stream", box);
    m_twoByte->setObjectName("chkTwoByte");
    connect(m_twoByte, &QCheckBox::toggled, this, [this](bool on) { run([this, on] { m_service.setTwoByteStream(on); }); });
    grid->addWidget(m_twoByte, 1, 0, 1, 2);

    m_overrideOffset = new QCheckBox("Override Offset", box);
    m_overrideOffset->setObjectName("chkOverrideOffset");
    m_offset = new QSpinBox(box);
    m_offset->setObjectName("intedtOffset");
    m_offset->setRange(0, kMaxOffsetSetting);
    m_setOffset = new QPushButton("Set Offset", box);
    m_setOffset->setObjectName("btnSetOffset");
    connect(m_overrideOffset, &QCheckBox::toggled, this, [this] { refresh(); });
    connect(m_setOffset, &QPushButton::clicked, this,
            [this] { run([this] { m_service.setOffsetOverride(m_offset->value()); }); });
    grid->addWidget(m_overrideOffset, 2, 0);
    grid->addWidget(m_offset, 2, 1);
    grid->addWidget(m_setOffset, 2, 2);

    m_errors = new QLabel(box);
    m_errors->setObjectName("lblErrorCount");
    m_serialFactor = new QLabel(box);
    m_serialFactor->setObjectName("lblSerialFactor");
    grid->addWidget(m_errors, 3, 0);
    grid->addWidget(m_serialFactor, 3, 1);
    return box;
}

void DeveloperPanel::run(const std::function<void()>& command) {
    runCommand(m_app.workstation(), command);
    emit commandFinished();
}

void DeveloperPanel::refresh() {
    const HardwareControl& control = m_app.hardware();
    const InstrumentSession& mca1 = m_app.workstation().session(kServiceInstrument);
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        QFont font = m_modes[i]->font();
        font.setBold(static_cast<int>(i) + 1 == control.boldModeButton());
        m_modes[i]->setFont(font);
    }
    const QSignalBlocker b1(m_adcCorrectionsOff), b2(m_twoByte), b3(m_offset);
    m_adcCorrectionsOff->setChecked(!control.adcCorrectionsOn());
    m_twoByte->setChecked(mca1.twoByteDecoding);
    if (!m_overrideOffset->isChecked()) m_offset->setValue(mca1.settings.offset);
    m_offset->setEnabled(m_overrideOffset->isChecked());
    m_setOffset->setEnabled(m_overrideOffset->isChecked());
    m_errors->setText(QString("Errors: %1").arg(mca1.errorCount));
    m_serialFactor->setText(QString("Serial factor: %1").arg(mca1.serialFactor, 0, 'f', 3));
}

}  // namespace mca::gui
