// The Add New Detector window.
#include "dialogs/detector_add_window.h"

#include "core/hardware_codes.h"
#include "core/hardware_settings.h"
#include "dialogs/dialog_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace mca::gui {

namespace {

template <typename T>
T* named(T* widget, const char* objectName) {
    widget->setObjectName(objectName);
    return widget;
}

template <std::size_t N>
QComboBox* choiceList(QWidget* parent, const char* objectName, const std::array<std::string_view, N>& texts) {
    auto* box = named(new QComboBox(parent), objectName);
    for (std::string_view text : texts) box->addItem(qs(text));
    return box;
}

QComboBox* channelList(QWidget* parent) {
    auto* box = named(new QComboBox(parent), "channelsList");
    for (int count : kChannelCountByCode) box->addItem(QString::number(count));
    return box;
}

}  // namespace

DetectorAddWindow::DetectorAddWindow(DetectorAddDialog& dialog, QWidget* parent) : QDialog(parent), m_dialog(dialog) {
    setObjectName("TfrmAddDetector");
    setWindowTitle(tr("Add New Detector"));
    m_base = named(new QComboBox(this), "baseDetectorList");
    for (const std::string& text : m_dialog.baseList()) m_base->addItem(qs(text));
    auto* base = new QFormLayout;
    base->addRow(tr("Base new detector on"), m_base);

    auto* add = named(new QPushButton(tr("&Add"), this), "addButton");
    add->setDefault(true);
    auto* cancel = named(new QPushButton(tr("&Cancel"), this), "cancelButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(base);
    layout->addWidget(buildIdentity());
    layout->addWidget(buildHardware());
    layout->addWidget(buildRamp());
    layout->addLayout(buttons);

    connect(m_base, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_refreshing) return;
        m_dialog.chooseBase(index);
        refresh();
    });
    connect(add, &QPushButton::clicked, this, &DetectorAddWindow::addDetector);
    connect(cancel, &QPushButton::clicked, this, &DetectorAddWindow::reject);
    connectEntries();
    refresh();
}

// Fields 0-4 and the channel count name the detector's calibration files and are fixed once added.
QWidget* DetectorAddWindow::buildIdentity() {
    auto* box = new QGroupBox(this);
    m_name = named(new QLineEdit(box), "nameEdit");
    m_serial = named(new QLineEdit(box), "serialEdit");
    m_description = named(new QLineEdit(box), "descriptionEdit");
    m_cableLength = named(new QLineEdit(box), "cableLengthEdit");
    m_units = choiceList(box, "cableUnitsList", kCableUnits);
    m_channels = channelList(box);
    auto* cable = new QHBoxLayout;
    cable->addWidget(m_cableLength);
    cable->addWidget(m_units);
    auto* form = new QFormLayout(box);
    form->addRow(tr("Detector Manufacturer and Model (*)"), m_name);
    form->addRow(tr("Detector Serial Number (*)"), m_serial);
    form->addRow(tr("Detector Description (*)"), m_description);
    form->addRow(tr("Cable Length (*)"), cable);
    form->addRow(tr("Number of Channels (*)"), m_channels);
    form->addRow(named(new QLabel(tr("(*) Note:  These values CANNOT be changed once the detector has been added!"), box),
                       "noteText"));
    return box;
}

QWidget* DetectorAddWindow::buildHardware() {
    auto* box = new QGroupBox(this);
    m_input = choiceList(box, "inputList", kInputTexts);
    m_highVoltage = named(new QLineEdit(box), "highVoltageEdit");
    m_notToExceed = named(new QLineEdit(box), "notToExceedEdit");
    m_coarseGain = choiceList(box, "coarseGainList", kCoarseGainTexts);
    m_fineGain = named(new QSlider(Qt::Horizontal, box), "fineGainSlider");
    m_fineGain->setRange(0, kMaxFineGain);
    auto* down = named(new QToolButton(box), "fineGainDownButton");
    down->setArrowType(Qt::LeftArrow);
    auto* up = named(new QToolButton(box), "fineGainUpButton");
    up->setArrowType(Qt::RightArrow);
    m_fineGainText = named(new QLabel(box), "fineGainText");
    m_overallGain = named(new QLabel(box), "overallGainText");
    m_shapingTime = choiceList(box, "shapingTimeList", kShapingTimeTexts);
    m_threshold = named(new QLineEdit(box), "thresholdEdit");

    auto* fine = new QHBoxLayout;
    fine->addWidget(down);
    fine->addWidget(m_fineGain);
    fine->addWidget(up);
    auto* form = new QFormLayout(box);
    form->addRow(tr("Input"), m_input);
    form->addRow(tr("High Voltage (V)"), m_highVoltage);
    form->addRow(tr("\"Not to Exceed\" Voltage (V)"), m_notToExceed);
    form->addRow(tr("Coarse Gain"), m_coarseGain);
    form->addRow(m_fineGainText, fine);
    form->addRow(tr("Overall Gain"), m_overallGain);
    form->addRow(tr("Shaping Time"), m_shapingTime);
    form->addRow(tr("Threshold (mV)"), m_threshold);

    connect(down, &QToolButton::clicked, this, [this] {
        m_dialog.fineGainDown();
        refresh();
    });
    connect(up, &QToolButton::clicked, this, [this] {
        m_dialog.fineGainUp();
        refresh();
    });
    return box;
}

QWidget* DetectorAddWindow::buildRamp() {
    auto* box = new QGroupBox(this);
    m_ramp = named(new QCheckBox(tr("Ramp High Voltage"), box), "rampHighVoltageCheck");
    m_rampValue = named(new QSpinBox(box), "rampValueSpin");
    m_rampValue->setRange(kMinRampValue, kMaxRampValue);
    m_rampValue->setSuffix(tr(" s per 100 V"));
    m_zero = named(new QCheckBox(tr("Zero High Voltage When Inactive"), box), "zeroHighVoltageCheck");
    auto* row = new QHBoxLayout(box);
    row->addWidget(m_ramp);
    row->addWidget(m_rampValue);
    row->addWidget(m_zero);
    return box;
}

// Every control writes its entry as it changes, so "&Add" checks exactly what is shown.
void DetectorAddWindow::connectEntries() {
    connect(m_name, &QLineEdit::textChanged, this,
            [this] { identityEdited(m_name, &DetectorAddDialog::setName, &DetectorEntries::name); });
    connect(m_serial, &QLineEdit::textChanged, this,
            [this] { identityEdited(m_serial, &DetectorAddDialog::setSerial, &DetectorEntries::serial); });
    connect(m_description, &QLineEdit::textChanged, this, [this] {
        identityEdited(m_description, &DetectorAddDialog::setDescription, &DetectorEntries::description);
    });
    const auto text = [this](QLineEdit* edit, std::string DetectorEntries::*entry) {
        connect(edit, &QLineEdit::textChanged, this, [this, entry](const QString& t) {
            if (!m_refreshing) entries().*entry = str(t);
        });
    };
    text(m_cableLength, &DetectorEntries::cableLength);
    text(m_highVoltage, &DetectorEntries::highVoltage);
    text(m_notToExceed, &DetectorEntries::notToExceed);
    text(m_threshold, &DetectorEntries::threshold);
    const auto code = [this](QComboBox* box, int DetectorEntries::*entry) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, entry](int index) {
            if (m_refreshing || index < 0) return;
            entries().*entry = index;
            showGains();
        });
    };
    code(m_input, &DetectorEntries::inputCode);
    code(m_coarseGain, &DetectorEntries::coarseGainCode);
    code(m_shapingTime, &DetectorEntries::shapingTimeCode);
    code(m_channels, &DetectorEntries::channelsCode);
    connect(m_units, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!m_refreshing) entries().units = str(t);
    });
    connect(m_fineGain, &QSlider::valueChanged, this, [this](int position) {
        if (m_refreshing) return;
        entries().fineGainPosition = position;
        showGains();
    });
    connect(m_ramp, &QCheckBox::toggled, this, [this](bool on) { entries().rampHighVoltage = on; });
    connect(m_zero, &QCheckBox::toggled, this, [this](bool on) { entries().zeroHighVoltage = on; });
    connect(m_rampValue, &QSpinBox::valueChanged, this, [this](int value) {
        if (!m_refreshing) entries().rampValue = value;
    });
}

// The dialog drops forbidden characters with a beep; the field then shows what was kept.
void DetectorAddWindow::identityEdited(QLineEdit* edit, void (DetectorAddDialog::*set)(std::string_view),
                                       std::string DetectorEntries::*shown) {
    if (m_refreshing) return;
    const std::string typed = str(edit->text());
    (m_dialog.*set)(typed);
    const std::string& kept = m_dialog.entries().*shown;
    if (kept == typed) return;
    const int cursor = edit->cursorPosition() - static_cast<int>(qs(typed).size() - qs(kept).size());
    edit->setText(qs(kept));
    edit->setCursorPosition(std::max(cursor, 0));
}

void DetectorAddWindow::refresh() {
    m_refreshing = true;
    const DetectorEntries& e = m_dialog.entries();
    m_base->setCurrentIndex(m_dialog.baseIndex());
    m_name->setText(qs(e.name));
    m_serial->setText(qs(e.serial));
    m_description->setText(qs(e.description));
    m_cableLength->setText(qs(e.cableLength));
    m_units->setCurrentText(qs(e.units));
    m_channels->setCurrentIndex(e.channelsCode);
    m_input->setCurrentIndex(e.inputCode);
    m_highVoltage->setText(qs(e.highVoltage));
    m_notToExceed->setText(qs(e.notToExceed));
    m_coarseGain->setCurrentIndex(e.coarseGainCode);
    m_fineGain->setValue(e.fineGainPosition);
    m_shapingTime->setCurrentIndex(e.shapingTimeCode);
    m_threshold->setText(qs(e.threshold));
    m_ramp->setChecked(e.rampHighVoltage);
    m_rampValue->setValue(e.rampValue);
    m_zero->setChecked(e.zeroHighVoltage);
    showGains();
    m_refreshing = false;
}

void DetectorAddWindow::showGains() {
    m_fineGainText->setText(qs(m_dialog.fineGainText()));
    m_overallGain->setText(qs(m_dialog.overallGainText()));
}

void DetectorAddWindow::addDetector() {
    if (m_dialog.add() != AddDetectorOutcome::Added) return;
    m_added = true;
    accept();
}

}  // namespace mca::gui
