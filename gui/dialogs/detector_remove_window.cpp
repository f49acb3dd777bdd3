// The Delete Detector window.
#include "dialogs/detector_remove_window.h"

#include "core/hardware_codes.h"
#include "core/hardware_settings.h"
#include "dialogs/dialog_support.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <string>
#include <utility>
#include <vector>

namespace mca::gui {

namespace {

// A code field as the text its list shows; the stored text itself when it is no code of the list.
template <std::size_t N>
std::string codeOrText(const std::array<std::string_view, N>& table, const std::string& code) {
    return codeText(table, code).value_or(code);
}

// The fields the window shows, captioned, in the order of the Add New Detector window.
std::vector<std::pair<QString, std::string>> shownFields(const DetectorRecord& r) {
    return {
        {QObject::tr("Detector Manufacturer and Model"), r[field::kName]},
        {QObject::tr("Detector Serial Number"), r[field::kSerial]},
        {QObject::tr("Detector Description"), r[field::kDescription]},
        {QObject::tr("Cable Length"), r[field::kCableLength] + " " + r[field::kCableUnits]},
        {QObject::tr("Number of Channels"), std::to_string(channelsOf(detectorResolutionMode(r)))},
        {QObject::tr("Input"), codeOrText(kInputTexts, r[field::kInput])},
        {QObject::tr("High Voltage (V)"), r[field::kHighVoltage]},
        {QObject::tr("\"Not to Exceed\" Voltage (V)"), r[field::kNotToExceed]},
        {QObject::tr("Coarse Gain"), codeOrText(kCoarseGainTexts, r[field::kCoarseGain])},
        {QObject::tr("Fine Gain Position"), r[field::kFineGain]},
        {QObject::tr("Shaping Time"), codeOrText(kShapingTimeTexts, r[field::kShapingTime])},
        {QObject::tr("Threshold (mV)"), r[field::kThreshold]},
    };
}

}  // namespace

DetectorRemoveWindow::DetectorRemoveWindow(DetectorRemoveDialog& dialog, QWidget* parent)
    : QDialog(parent), m_dialog(dialog) {
    setObjectName("TfrmEditDetector");
    setWindowTitle(tr("Delete Detector"));
    m_list = new QListWidget(this);
    m_list->setObjectName("detectorList");
    m_list->setMinimumWidth(480);
    m_fields = new QTableWidget(0, 2, this);
    m_fields->setObjectName("detectorFields");
    m_fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fields->horizontalHeader()->hide();
    m_fields->verticalHeader()->hide();
    m_fields->horizontalHeader()->setStretchLastSection(true);
    m_delete = new QPushButton(tr("&Delete Detector"), this);
    m_delete->setObjectName("deleteButton");
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Select Detector to Remove"), this));
    layout->addWidget(m_list);
    layout->addWidget(m_fields);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_refreshing) return;
        m_dialog.choose(row);
        showFields();
    });
    connect(m_delete, &QPushButton::clicked, this, &DetectorRemoveWindow::deleteDetector);
    connect(close, &QPushButton::clicked, this, &DetectorRemoveWindow::reject);
    refresh();
}

void DetectorRemoveWindow::refresh() {
    m_refreshing = true;
    m_list->clear();
    for (const std::string& text : m_dialog.list()) m_list->addItem(qs(text));
    m_list->setCurrentRow(m_dialog.chosenIndex());
    m_refreshing = false;
    showFields();
}

void DetectorRemoveWindow::showFields() {
    const DetectorRecord* record = m_dialog.chosenRecord();
    m_delete->setEnabled(record != nullptr);
    const auto fields = record ? shownFields(*record) : std::vector<std::pair<QString, std::string>>{};
    m_fields->setRowCount(static_cast<int>(fields.size()));
    for (int row = 0; row < m_fields->rowCount(); ++row) {
        const auto& [caption, value] = fields[static_cast<std::size_t>(row)];
        m_fields->setItem(row, 0, new QTableWidgetItem(caption));
        m_fields->setItem(row, 1, new QTableWidgetItem(qs(value)));
    }
}

void DetectorRemoveWindow::deleteDetector() {
    switch (m_dialog.deleteDetector()) {
        case RemoveDetectorOutcome::Kept:
            break;
        case RemoveDetectorOutcome::ActiveRefused:
            reject();
            break;
        case RemoveDetectorOutcome::Deleted:
            refresh();
            emit detectorDeleted();
            break;
    }
}

}  // namespace mca::gui
