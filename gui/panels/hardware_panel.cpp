// The hardware side panel.
#include "hardware_panel.h"

#include "developer_panel.h"
#include "panel_support.h"
#include "service_panel.h"

#include "core/hardware_codes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace mca::gui {

namespace {

constexpr const char* kShapedCaption = "Shaped";

std::size_t slot(SetButton button) { return static_cast<std::size_t>(button); }

QComboBox* listOf(QWidget* parent, const char* objectName, const QStringList& items) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    combo->addItems(items);
    return combo;
}

template <std::size_t N>
QStringList itemsOf(const std::array<std::string_view, N>& texts) {
    QStringList items;
    for (std::string_view t : texts) items << qs(t);
    return items;
}

bool isEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

HardwarePanel::HardwarePanel(Application& app, QWidget* parent)
    : QWidget(parent), m_app(app), m_control(app.hardware()), m_service(app.workstation(), app.engine(), app.hardware()) {
    setObjectName("pnlHardware");
    setStyleSheet("[pending=\"true\"] { background-color: #fff2a8; }");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildInstrumentChoice());
    layout->addWidget(buildSettings());
    layout->addWidget(buildServiceButtons());
    m_developer = new DeveloperPanel(app, m_service, this);
    m_developer->hide();
    layout->addWidget(m_developer);
    m_servicePanel = new ServicePanel(app.workstation(), m_service, this);
    m_servicePanel->hide();
    layout->addWidget(m_servicePanel);
    layout->addStretch(1);
    connect(m_developer, &DeveloperPanel::commandFinished, this, [this] {
        refresh();
        emit commandFinished();
    });
    connect(m_servicePanel, &ServicePanel::commandFinished, this, [this] {
        refresh();
        emit commandFinished();
    });
    connectEdits();
    refresh();
}

HardwarePanel::~HardwarePanel() = default;

QWidget* HardwarePanel::buildInstrumentChoice() {
    m_choice = new QWidget(this);
    auto* row = new QHBoxLayout(m_choice);
    row->setContentsMargins(0, 0, 0, 0);
    m_mca1 = new QRadioButton("MCA 1", m_choice);
    m_mca1->setObjectName("rdoHardwareMCA1");
    m_mca2 = new QRadioButton("MCA 2", m_choice);
    m_mca2->setObjectName("rdoHardwareMCA2");
    row->addWidget(m_mca1);
    row->addWidget(m_mca2);
    connect(m_mca1, &QRadioButton::clicked, this, [this] { chooseInstrument(1); });
    connect(m_mca2, &QRadioButton::clicked, this, [this] { chooseInstrument(2); });
    return m_choice;
}

QPushButton* HardwarePanel::setButton(const char* objectName, const QString& caption, SetButton button) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(objectName);
    m_setButtons[slot(button)] = b;
    connect(b, &QPushButton::clicked, this, [this, button] { pressSet(button); });
    return b;
}

QWidget* HardwarePanel::buildSettings() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, QWidget* button) {
        grid->addWidget(new QLabel(caption, box), row, 0);
        grid->addWidget(field, row, 1);
        if (button) grid->addWidget(button, row, 2);
        ++row;
    };

    m_hv = new QDoubleSpinBox(box);
    m_hv->setObjectName("fltedtHV1");
    m_hv->setDecimals(1);
    m_hv->setSingleStep(1.0);   // the spin buttons move the HV by 1 V
    m_hv->setKeyboardTracking(false);
    m_hv->installEventFilter(this);
    addRow("High Voltage", m_hv, setButton("btnSetHV1", "Set &HV", SetButton::HighVoltage));

    m_threshold = new QSpinBox(box);
    m_threshold->setObjectName("intedtThreshold1");
    m_threshold->setRange(0, kMaxThresholdSetting);
    m_threshold->setSuffix(" mV");
    m_threshold->setKeyboardTracking(false);
    m_threshold->installEventFilter(this);
    addRow("Threshold", m_threshold, setButton("btnSetThreshold1", "Set T&hsh", SetButton::Threshold));

    m_offset = new QLabel(box);
    m_offset->setObjectName("lblOffset1");
    addRow("Offset", m_offset, nullptr);

    m_coarseGain = listOf(box, "cmbCoarseGain1", itemsOf(kCoarseGainTexts));
    addRow("Coarse Gain", m_coarseGain, setButton("btnSetCoarseGain1", "Set &Gain", SetButton::CoarseGain));

    m_fineGain = new QSpinBox(box);
    m_fineGain->setObjectName("intedtFineGain1");
    m_fineGain->setRange(0, kMaxFineGain);
    m_fineGain->setKeyboardTracking(false);
    addRow("Fine Gain", m_fineGain, setButton("btnSetFineGain1", "Set Fi&ne", SetButton::FineGain));
    m_fineGainText = new QLabel(box);
    m_fineGainText->setObjectName("lblFineGain1");
    m_overallGainText = new QLabel(box);
    m_overallGainText->setObjectName("lblOverallGain1");
    grid->addWidget(m_fineGainText, row, 1);
    grid->addWidget(m_overallGainText, row++, 2);

    m_input = listOf(box, "cmbInput1", itemsOf(kInputTexts));
    addRow("Input", m_input, setButton("btnSetInput1", "Set", SetButton::Input));

    m_shaping = listOf(box, "cmbShapingTime1", itemsOf(kShapingTimeTexts) << kShapedCaption);
    addRow("Shaping Time", m_shaping, setButton("btnSetShapingTime1", "Set S.T.", SetButton::ShapingTime));

    m_nte = new QDoubleSpinBox(box);
    m_nte->setObjectName("fltedtNTE1");
    m_nte->setDecimals(1);
    m_nte->setKeyboardTracking(false);
    m_nte->installEventFilter(this);
    m_setNte = new QPushButton("Set NTE Volts", box);
    m_setNte->setObjectName("btnSetNTE1");
    addRow("NTE Voltage", m_nte, m_setNte);
    m_editNte = new QCheckBox("Edit NTE Voltage", box);
    m_editNte->setObjectName("chkEditNTE1");
    grid->addWidget(m_editNte, row++, 1, 1, 2);

    m_hvStatus = new QLabel(box);
    m_hvStatus->setObjectName("lblHVStatus");
    m_hvText = new QLabel(box);
    m_hvText->setObjectName("lblHVVolts");
    grid->addWidget(m_hvStatus, row, 0);
    grid->addWidget(m_hvText, row++, 1);
    m_hvSwitch = new QPushButton(box);
    m_hvSwitch->setObjectName("btnHVOnOff");
    grid->addWidget(m_hvSwitch, row++, 0, 1, 3);
    connect(m_hvSwitch, &QPushButton::clicked, this, &HardwarePanel::toggleHighVoltage);
    return box;
}

QWidget* HardwarePanel::buildServiceButtons() {
    m_serviceButtons = new QWidget(this);
    auto* grid = new QGridLayout(m_serviceButtons);
    grid->setContentsMargins(0, 0, 0, 0);
    int column = 0;
    for (const GainPreset& preset : kGainPresets) {
        auto* b = new QPushButton(qs(preset.caption), m_serviceButtons);
        b->setObjectName(QString("btnGainPreset%1").arg(column + 1));
        connect(b, &QPushButton::clicked, this, [this, &preset] { run([&] { m_service.applyGainPreset(preset); }); });
        grid->addWidget(b, 0, column++);
    }
    column = 0;
    for (const HvPreset& preset : kHvPresets) {
        auto* b = new QPushButton(qs(preset.caption), m_serviceButtons);
        b->setObjectName(QString("btnHVPreset%1").arg(column + 1));
        connect(b, &QPushButton::clicked, this, [this, &preset] { run([&] { m_service.applyHvPreset(preset); }); });
        grid->addWidget(b, 1, column++);
    }
    m_showDeveloper = new QPushButton("Developer", m_serviceButtons);
    m_showDeveloper->setObjectName("btnDeveloper");
    m_showDeveloper->setCheckable(true);
    m_showService = new QPushButton("Service", m_serviceButtons);
    m_showService->setObjectName("btnService");
    m_showService->setCheckable(true);
    grid->addWidget(m_showDeveloper, 2, 0, 1, 2);
    grid->addWidget(m_showService, 2, 2, 1, 2);
    connect(m_showDeveloper, &QPushButton::toggled, this, [this](bool on) { m_developer->setVisible(on); });
    connect(m_showService, &QPushButton::toggled, this, [this](bool on) { m_servicePanel->setVisible(on); });
    return m_serviceButtons;
}

void HardwarePanel::connectEdits() {
    using Panel = mca::HardwarePanel;
    connect(m_hv, &QDoubleSpinBox::valueChanged, this, [this](double v) { edit([v](Panel& p) { p.editHighVoltage(v); }); });
    connect(m_threshold, &QSpinBox::valueChanged, this, [this](int v) { edit([v](Panel& p) { p.editThreshold(v); }); });
    connect(m_coarseGain, &QComboBox::currentIndexChanged, this,
            [this](int i) { edit([i](Panel& p) { p.chooseCoarseGain(i); }); });
    connect(m_fineGain, &QSpinBox::valueChanged, this, [this](int v) { edit([v](Panel& p) { p.editFineGain(v); }); });
    connect(m_input, &QComboBox::currentIndexChanged, this, [this](int i) { edit([i](Panel& p) { p.chooseInput(i); }); });
    connect(m_shaping, &QComboBox::currentIndexChanged, this,
            [this](int i) { edit([i](Panel& p) { p.chooseShapingTime(i); }); });
    connect(m_nte, &QDoubleSpinBox::valueChanged, this, [this](double v) { edit([v](Panel& p) { p.editNotToExceed(v); }); });
    connect(m_editNte, &QCheckBox::toggled, this, [this](bool on) { edit([on](Panel& p) { p.allowNotToExceedEdit(on); }); });
    connect(m_setNte, &QPushButton::clicked, this, [this] { run([this] { m_control.setNotToExceed(); }); });
}

bool HardwarePanel::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the HV, threshold or NTE field sends it, as its Set button does.
    if (isEnter(event) && (watched == m_hv || watched == m_threshold || watched == m_nte)) {
        // Enter is the command itself: the same value again still goes out (and the HV still ramps).
        static_cast<QAbstractSpinBox*>(watched)->interpretText();
        if (watched == m_hv) run([this] { m_control.setHighVoltage(); });
        if (watched == m_threshold) run([this] { m_control.setThreshold(); });
        if (watched == m_nte) run([this] { m_control.setNotToExceed(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HardwarePanel::edit(const std::function<void(mca::HardwarePanel&)>& change) {
    change(m_control.panel());
    refresh();
}

void HardwarePanel::run(const std::function<void()>& command) {
    if (m_running) return;
    m_running = true;
    // The command's pauses keep events flowing: nothing here may start another meanwhile.
    showEnabled(false);
    runCommand(m_app.workstation(), command);
    m_running = false;
    refresh();
    emit commandFinished();
}

void HardwarePanel::pressSet(SetButton button) {
    if (!m_control.panel().pending(button)) return;
    run([this, button] {
        switch (button) {
        case SetButton::HighVoltage: m_control.setHighVoltage(); break;
        case SetButton::Threshold: m_control.setThreshold(); break;
        case SetButton::Input: m_control.setInput(); break;
        case SetButton::CoarseGain: m_control.setCoarseGain(); break;
        case SetButton::FineGain: m_control.setFineGain(); break;
        case SetButton::ShapingTime: m_control.setShapingTime(); break;
        }
    });
}

void HardwarePanel::toggleHighVoltage() {
    const Workstation& w = m_app.workstation();
    const int n = addressedInstrument(w.state, w.sessions);
    const bool on = m_control.highVoltageOn(n);
    run([this, on] { on ? m_control.disableHighVoltage() : m_control.enableHighVoltage(); });
}

void HardwarePanel::chooseInstrument(int n) {
    run([this, n] { chooseHardwarePanelInstrument(m_app.workstation(), m_control, n); });
}

bool HardwarePanel::editingAllowed() const {
    const Workstation& w = m_app.workstation();
    const InstrumentSession& s = w.session(addressedInstrument(w.state, w.sessions));
    return !m_running && !w.state.offline && w.screen.hardwareControlsEnabled && !m_control.busy() &&
           m_access.controlsEnabled() && s.open;
}

void HardwarePanel::refresh() {
    showValues();
    showStatus();
    showEnabled(editingAllowed());
    m_developer->refresh();
    m_servicePanel->refresh();
}

void HardwarePanel::showValues() {
    const mca::HardwarePanel& p = m_control.panel();
    const HardwareSettings& v = p.values();
    const QSignalBlocker b1(m_hv), b2(m_threshold), b3(m_coarseGain), b4(m_fineGain), b5(m_input), b6(m_shaping),
        b7(m_nte), b8(m_editNte);
    m_hv->setRange(0.0, p.hvLimit());
    m_hv->setValue(v.highVoltage);
    m_threshold->setValue(v.threshold);
    m_coarseGain->setCurrentIndex(v.coarseGainIndex);
    m_fineGain->setValue(v.fineGain);
    m_input->setCurrentIndex(v.inputIndex);
    m_shaping->setCurrentIndex(v.shapingIndex);
    m_offset->setText(QString::number(v.offset));
    m_fineGainText->setText(qs(p.fineGainText()));
    m_overallGainText->setText(qs(p.overallGainText()));
    m_nte->setRange(0.0, static_cast<double>(m_app.workstation().session(p.instrument()).hvFullScale));
    m_nte->setValue(v.notToExceedVoltage);
    m_editNte->setChecked(p.notToExceedEditable());
    markPending(m_hv, p.pending(SetButton::HighVoltage));
    markPending(m_threshold, p.pending(SetButton::Threshold));
    markPending(m_input, p.pending(SetButton::Input));
    markPending(m_coarseGain, p.pending(SetButton::CoarseGain));
    markPending(m_fineGain, p.pending(SetButton::FineGain));
    markPending(m_shaping, p.pending(SetButton::ShapingTime));
}

void HardwarePanel::showStatus() {
    const Workstation& w = m_app.workstation();
    const ScreenState& screen = w.screen;
    m_hvStatus->setText(qs(screen.hvStatus));
    m_hvText->setText(qs(screen.hvText));
    const int n = addressedInstrument(w.state, w.sessions);
    const bool on = m_control.highVoltageOn(n);
    m_hvSwitch->setText(!screen.hvMenuCaption.empty() ? qs(screen.hvMenuCaption)
                        : on                          ? "Disable High &Voltage"
                                                      : "Enable High &Voltage");
    m_hvSwitch->setVisible(screen.advancedCommandsVisible);
    m_choice->setVisible(!w.state.quadLayout && w.session(2).open);
    const QSignalBlocker b1(m_mca1), b2(m_mca2);
    m_mca1->setChecked(m_control.panel().instrument() == 1);
    m_mca2->setChecked(m_control.panel().instrument() == 2);
    const bool service = serviceControlsShown(w);
    m_serviceButtons->setVisible(service);
    m_developer->setVisible(service && m_showDeveloper->isChecked());
    m_servicePanel->setVisible(service && m_showService->isChecked());
}

void HardwarePanel::showEnabled(bool usable) {
    const mca::HardwarePanel& p = m_control.panel();
    for (QWidget* field : std::initializer_list<QWidget*>{m_hv, m_threshold, m_coarseGain, m_fineGain, m_input,
                                                           m_shaping, m_editNte, m_hvSwitch, m_serviceButtons}) {
        field->setEnabled(usable);
    }
    for (SetButton button : kPendingOrder) m_setButtons[slot(button)]->setEnabled(usable && p.pending(button));
    m_nte->setEnabled(usable && p.notToExceedEditable());
    m_setNte->setEnabled(usable && p.notToExceedEditable());
    // The choice itself stays usable with "Combined" off; only running commands and offline stop it.
    m_choice->setEnabled(!m_running && !m_app.workstation().state.offline && !m_control.busy());
    m_developer->setEnabled(usable);
    m_servicePanel->setEnabled(usable);
}

}  // namespace mca::gui
