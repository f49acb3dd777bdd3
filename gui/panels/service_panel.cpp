// The second service panel.
#include "service_panel.h"

#include "display/display_offset.h"

#include "panel_support.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace mca::gui {

namespace {

QPushButton* button(QWidget* parent, const char* objectName, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    return b;
}

}  // namespace

ServicePanel::ServicePanel(Workstation& w, ServiceCommands& service, QWidget* parent)
    : QWidget(parent), m_w(w), m_service(service) {
    setObjectName("pnlService");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildIdentity());
    layout->addWidget(buildBattery());
    layout->addWidget(buildDisplayOffset());
}

QWidget* ServicePanel::buildIdentity() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    m_serial = new QLineEdit(box);
    m_serial->setObjectName("edtSerialNumber");
    auto* readSerial = button(box, "btnReadSerialNumber", "Read S/N");
    auto* writeSerial = button(box, "btnWriteSerialNumber", "Write S/N");
    connect(readSerial, &QPushButton::clicked, this, [this] { run([this] { m_service.readSerialNumber(); }); });
    connect(writeSerial, &QPushButton::clicked, this,
            [this] { run([this] { m_service.writeSerialNumber(text(m_serial->text())); }); });
    grid->addWidget(m_serial, 0, 0);
    grid->addWidget(readSerial, 0, 1);
    grid->addWidget(writeSerial, 0, 2);

    auto* firmware = button(box, "btnFirmwareRev", "Firmware Rev");
    connect(firmware, &QPushButton::clicked, this, [this] { run([this] { m_service.readFirmware(); }); });
    grid->addWidget(firmware, 1, 0);

    m_positive = new QRadioButton(qs(kPositiveSupplyText), box);
    m_positive->setObjectName("rdoPositiveHV");
    m_negative = new QRadioButton(qs(kNegativeSupplyText), box);
    m_negative->setObjectName("rdoNegativeHV");
    auto* readPolarity = button(box, "btnReadPolarity", "Read Polarity");
    auto* writePolarity = button(box, "btnWritePolarity", "Write Polarity");
    connect(readPolarity, &QPushButton::clicked, this, [this] { run([this] { m_service.readPolarity(); }); });
    connect(writePolarity, &QPushButton::clicked, this, [this] {
        std::optional<bool> negative;
        if (m_positive->isChecked() || m_negative->isChecked()) negative = m_negative->isChecked();
        run([this, negative] { m_service.writePolarity(negative); });
    });
    grid->addWidget(m_positive, 2, 0);
    grid->addWidget(m_negative, 2, 1);
    grid->addWidget(readPolarity, 3, 0);
    grid->addWidget(writePolarity, 3, 1);

    m_hvUnit = new QLineEdit(box);
    m_hvUnit->setObjectName("edtHVUnit");
    auto* readUnit = button(box, "btnReadHVUnit", "Read HV Unit");
    auto* writeUnit = button(box, "btnWriteHVUnit", "Write HV Unit");
    connect(readUnit, &QPushButton::clicked, this, [this] { run([this] { m_service.readHvUnit(); }); });
    connect(writeUnit, &QPushButton::clicked, this,
            [this] { run([this] { m_service.writeHvUnit(text(m_hvUnit->text())); }); });
    grid->addWidget(m_hvUnit, 4, 0);
    grid->addWidget(readUnit, 4, 1);
    grid->addWidget(writeUnit, 4, 2);

    auto* setPda = button(box, "btnSetPDAMode", "Set PDA Mode");
    auto* endPda = button(box, "btnEndPDAMode", "End PDA Mode");
    connect(setPda, &QPushButton::clicked, this, [this] { run([this] { m_service.setPdaMode(); }); });
    connect(endPda, &QPushButton::clicked, this, [this] { run([this] { m_service.endPdaMode(); }); });
    grid->addWidget(setPda, 5, 0);
    grid->addWidget(endPda, 5, 1);
    return box;
}

QWidget* ServicePanel::buildBattery() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    m_trackBattery = new QCheckBox("Track Batt Volts", box);
    m_trackBattery->setObjectName("chkTrackBattery");
    connect(m_trackBattery, &QCheckBox::toggled, this, [this](bool on) { run([this, on] { m_service.trackBattery(on); }); });
    auto* save = button(box, "btnSaveBattery", "Save");
    auto* clear = button(box, "btnClearBattery", "Clear");
    connect(save, &QPushButton::clicked, this, [this] { run([this] { m_service.saveBatteryTable(); }); });
    connect(clear, &QPushButton::clicked, this, [this] { run([this] { m_service.clearBatteryTable(); }); });
    m_battery = new QTableWidget(0, 3, box);
    m_battery->setObjectName("advstrgrdBattery");
    m_battery->setHorizontalHeaderLabels({"Date/Time", "Volts", "cpm"});
    m_battery->horizontalHeader()->setStretchLastSection(true);
    m_battery->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->addWidget(m_trackBattery, 0, 0);
    grid->addWidget(save, 0, 1);
    grid->addWidget(clear, 0, 2);
    grid->addWidget(m_battery, 1, 0, 1, 3);
    return box;
}

// The display's channel offset: it only redraws, so it reports as a finished command.
QWidget* ServicePanel::buildDisplayOffset() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->addWidget(new QLabel("Display Offset", box));
    m_displayOffset = new QSpinBox(box);
    m_displayOffset->setObjectName("intedtDisplayOffset");
    m_displayOffset->setRange(kMinDisplayOffset, kMaxDisplayOffset);
    m_displayOffset->setValue(m_w.screen.displayOffsetChannels);
    m_displayOffsetText = new QLabel(qs(displayOffsetText(m_w.screen.displayOffsetChannels)), box);
    m_displayOffsetText->setObjectName("lblDisplayOffset");
    connect(m_displayOffset, &QSpinBox::valueChanged, this, [this](int channels) {
        m_w.screen.displayOffsetChannels = clampDisplayOffset(channels);
        m_displayOffsetText->setText(qs(displayOffsetText(m_w.screen.displayOffsetChannels)));
        emit commandFinished();
    });
    row->addWidget(m_displayOffset);
    row->addWidget(m_displayOffsetText);
    return box;
}

void ServicePanel::run(const std::function<void()>& command) {
    runCommand(m_w, command);
    const ServiceFields& f = m_service.fields();
    if (!f.serialNumber.empty()) m_serial->setText(qs(f.serialNumber));
    if (!f.hvUnit.empty()) m_hvUnit->setText(qs(f.hvUnit));
    if (f.polarity == kPositiveSupplyText) m_positive->setChecked(true);
    if (f.polarity == kNegativeSupplyText) m_negative->setChecked(true);
    emit commandFinished();
}

void ServicePanel::refresh() {
    if (!isVisible()) return;
    showBatteryTable();
}

void ServicePanel::showBatteryTable() {
    const std::vector<BatteryRow> rows = m_service.batteryRows();
    m_battery->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const BatteryRow& row = rows[static_cast<std::size_t>(r)];
        m_battery->setItem(r, 0, new QTableWidgetItem(qs(row.dateTime)));
        m_battery->setItem(r, 1, new QTableWidgetItem(qs(row.volts)));
        m_battery->setItem(r, 2, new QTableWidgetItem(qs(row.rate)));
    }
}

}  // namespace mca::gui
