// The Detector Status window.
#include "dialogs/detector_status_window.h"

#include "app/application.h"
#include "dialogs/dialog_support.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mca::gui {

DetectorStatusInput applicationStatusInput(Application& app) {
    Workstation& w = app.workstation();
    DetectorStatusInput input;
    fillDetectorStatusInstruments(input, w, app.detectors());
    input.libraryPath = app.library().filePath().string();
    input.energyCalibrationValid = w.state.energyCalibration != EnergyCalibrationKind::None;
    input.roiSetUnsaved = w.state.roiSetUnsaved;
    input.liveFilePath = w.screen.spectrumFileName;
    return input;
}

DetectorStatusWindow::DetectorStatusWindow(std::function<DetectorStatusInput()> gather, QWidget* parent)
    : QDialog(parent), m_gather(std::move(gather)) {
    setObjectName("TfrmDetectorStatus");
    setWindowTitle(tr("Detector Status"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName("statusText");
    m_text->setReadOnly(true);
    m_text->setMinimumSize(520, 260);
    auto* update = new QPushButton(tr("&Update"), this);
    update->setObjectName("updateButton");
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(update);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(buttons);
    connect(update, &QPushButton::clicked, this, &DetectorStatusWindow::refresh);
    connect(close, &QPushButton::clicked, this, &DetectorStatusWindow::reject);
    refresh();
}

QString DetectorStatusWindow::text() const { return m_text->toPlainText(); }

void DetectorStatusWindow::refresh() {
    QStringList lines;
    for (const std::string& line : detectorStatusLines(m_gather())) lines.append(qs(line));
    m_text->setPlainText(lines.join('\n'));
}

void DetectorStatusWindow::done(int result) {
    QDialog::done(result);
    emit closed();
}

}  // namespace mca::gui
