// The Select Detector window.
#include "dialogs/detector_select_window.h"

#include "dialogs/dialog_support.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace mca::gui {

DetectorSelectWindow::DetectorSelectWindow(DetectorSelectDialog& dialog,
                                           std::function<void(DetectorAddDialog&)> runAdd, QWidget* parent)
    : QDialog(parent), m_dialog(dialog), m_runAdd(std::move(runAdd)) {
    setObjectName("TfrmSelectDetector");
    m_list = new QListWidget(this);
    m_list->setObjectName("detectorList");
    m_list->setMinimumWidth(480);
    m_use = new QPushButton(tr("Use this detector"), this);
    m_use->setObjectName("useDetectorButton");
    m_use->setDefault(true);
    m_add = new QPushButton(tr("Add new detector..."), this);
    m_add->setObjectName("addDetectorButton");
    auto* cancel = new QPushButton(tr("&Cancel/Close"), this);
    cancel->setObjectName("cancelButton");

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_use);
    buttons->addWidget(m_add);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &DetectorSelectWindow::listRowChanged);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &DetectorSelectWindow::useDetector);
    connect(m_use, &QPushButton::clicked, this, &DetectorSelectWindow::useDetector);
    connect(m_add, &QPushButton::clicked, this, &DetectorSelectWindow::addDetector);
    connect(cancel, &QPushButton::clicked, this, &DetectorSelectWindow::reject);
    refresh();
}

void DetectorSelectWindow::refresh() {
    m_refreshing = true;
    setWindowTitle(qs(m_dialog.title()));
    m_list->clear();
    for (const std::string& text : m_dialog.list()) m_list->addItem(qs(text));
    m_list->setCurrentRow(m_dialog.listIndex());
    m_use->setEnabled(m_dialog.useEnabled());
    m_add->setEnabled(m_dialog.addEnabled());
    m_refreshing = false;
}

void DetectorSelectWindow::listRowChanged(int row) {
    if (m_refreshing) return;
    m_dialog.chooseListItem(row);
    m_use->setEnabled(m_dialog.useEnabled());
}

void DetectorSelectWindow::useDetector() {
    if (!m_dialog.useEnabled()) return;
    m_dialog.useThisDetector();
    m_end = m_dialog.close();
    accept();
}

void DetectorSelectWindow::addDetector() {
    if (!m_dialog.addEnabled()) return;
    DetectorAddDialog add = m_dialog.addDialog();
    m_runAdd(add);
    refresh();
}

void DetectorSelectWindow::reject() {
    m_end = m_dialog.cancel();
    QDialog::reject();
}

}  // namespace mca::gui
