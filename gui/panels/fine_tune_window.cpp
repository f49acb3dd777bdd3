// The fine-tune tool's window.
#include "fine_tune_window.h"

#include "panel_support.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>

namespace mca::gui {

FineTuneWindow::FineTuneWindow(FineTune& tool, const NuclideLibrary& library, QWidget* parent)
    : QDialog(parent), m_tool(tool), m_library(library) {
    setObjectName("frmFineTune");
    setWindowTitle("Fine Tune");
    auto* grid = new QGridLayout(this);
    m_nuclides = new QComboBox(this);
    m_nuclides->setObjectName("cmbNuclide");
    m_lines = new QComboBox(this);
    m_lines->setObjectName("cmbEnergy");
    grid->addWidget(new QLabel("Nuclide", this), 0, 0);
    grid->addWidget(m_nuclides, 0, 1);
    grid->addWidget(new QLabel("Energy (keV)", this), 1, 0);
    grid->addWidget(m_lines, 1, 1);
    m_fineTune = new QPushButton("&Fine Tune", this);
    m_fineTune->setObjectName("btnFineTune");
    m_cancel = new QPushButton("&Cancel", this);
    m_cancel->setObjectName("btnCancel");
    grid->addWidget(m_fineTune, 2, 0);
    grid->addWidget(m_cancel, 2, 1);
    m_label = new QLabel(this);
    m_label->setObjectName("lblStatus");
    m_progress = new QLabel(this);
    m_progress->setObjectName("lblProgress");
    grid->addWidget(m_label, 3, 0, 1, 2);
    grid->addWidget(m_progress, 4, 0, 1, 2);

    connect(m_nuclides, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        m_tool.nuclide = text(name);
        listLines(name);
        m_tool.lineEnergy = text(m_lines->currentText());
    });
    connect(m_lines, &QComboBox::currentTextChanged, this, [this](const QString& line) { m_tool.lineEnergy = text(line); });
    connect(m_fineTune, &QPushButton::clicked, this, &FineTuneWindow::fineTune);
    connect(m_cancel, &QPushButton::clicked, this, &FineTuneWindow::cancel);
    refresh();
}

void FineTuneWindow::listNuclides() {
    const QSignalBlocker block(m_nuclides);
    m_nuclides->clear();
    for (const std::string& name : m_library.nuclideList()) m_nuclides->addItem(qs(name));
    m_nuclides->setCurrentIndex(m_nuclides->findText(qs(m_tool.nuclide)));
    listLines(m_nuclides->currentText());
}

void FineTuneWindow::listLines(const QString& nuclide) {
    const QSignalBlocker block(m_lines);
    m_lines->clear();
    for (const GammaLine& line : m_library.enabledGammaLines(text(nuclide))) {
        if (const auto keV = line.energyKeV()) m_lines->addItem(qs(fineTuneLineText(*keV)));
    }
    // The tool's own line stays chosen when the nuclide has it; otherwise the operator chooses.
    m_lines->setCurrentIndex(m_lines->findText(qs(m_tool.lineEnergy)));
}

void FineTuneWindow::fineTune() {
    m_tool.nuclide = text(m_nuclides->currentText());
    m_tool.lineEnergy = text(m_lines->currentText());
    m_tool.fineTune();
    refresh();
}

void FineTuneWindow::cancel() {
    m_tool.cancel();
    refresh();
}

void FineTuneWindow::refresh() {
    m_label->setText(qs(m_tool.label()));
    m_fineTune->setEnabled(m_tool.fineTuneButtonEnabled() && !m_tool.running());
    const FineTuneProgress& p = m_tool.progress();
    QString progress;
    if (m_tool.running() || p.step > 0) {
        progress = QString("Step %1, acquisition %2").arg(p.step).arg(p.acquisition);
        if (p.offset) progress += QString(", offset %1 channels").arg(*p.offset, 0, 'f', 1);
    }
    m_progress->setText(progress);
    if (!m_tool.isOpen() && isVisible()) {
        hide();
        emit toolClosed();
    }
}

void FineTuneWindow::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) listNuclides();
    QDialog::showEvent(event);
}

void FineTuneWindow::closeEvent(QCloseEvent* event) {
    // Closing the window closes the tool; during a run that is a cancel.
    if (m_tool.isOpen()) m_tool.close();
    QDialog::closeEvent(event);
    emit toolClosed();
}

void FineTuneWindow::reject() {
    if (m_tool.isOpen()) m_tool.close();
    QDialog::reject();
    emit toolClosed();
}

}  // namespace mca::gui
