// The Done! window.
#include "dialogs/done_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mca::gui {

DoneWindow::DoneWindow(Operator& op, Scheduler& scheduler, QWidget* parent)
    : QDialog(parent), m_op(op), m_scheduler(scheduler) {
    setObjectName("doneWindow");
    setWindowTitle(tr("Done!"));
    auto* text = new QLabel(tr(kPresetReachedText), this);
    text->setObjectName("presetReachedText");
    auto* acknowledged = new QPushButton(tr("&Acknowledged!"), this);
    acknowledged->setObjectName("acknowledgedButton");
    acknowledged->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(acknowledged);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    connect(acknowledged, &QPushButton::clicked, this, &DoneWindow::acknowledge);
}

DoneWindow::~DoneWindow() { stopRinging(); }

void DoneWindow::ring() {
    show();
    raise();
    activateWindow();
    if (m_timer) return;
    m_op.beep();
    m_timer = m_scheduler.startTimer(kDoneBeepIntervalMs, [this] { m_op.beep(); });
}

void DoneWindow::acknowledge() { accept(); }

void DoneWindow::done(int result) {
    stopRinging();
    QDialog::done(result);
}

void DoneWindow::stopRinging() {
    if (!m_timer) return;
    m_scheduler.stopTimer(*m_timer);
    m_timer.reset();
}

}  // namespace mca::gui
