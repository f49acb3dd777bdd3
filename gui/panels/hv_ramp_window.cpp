// The "High Voltage Ramp" window.
#include "hv_ramp_window.h"

#include "panel_support.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace mca::gui {

HvRampWindow::HvRampWindow(HvRamp& ramp, QWidget* parent) : QDialog(parent), m_ramp(ramp) {
    setObjectName("frmRamp");
    setWindowTitle("High Voltage Ramp");
    // Everything behind it waits for the ramp; the core pumps events meanwhile.
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    m_message = new QLabel(this);
    m_message->setObjectName("lblMessage");
    m_message->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("pbRamp");
    m_progress->setRange(0, kHvRampSeconds);
    m_progress->setTextVisible(false);
    m_countdown = new QLabel(this);
    m_countdown->setObjectName("lblCountdown");
    m_countdown->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_message);
    layout->addWidget(m_progress);
    layout->addWidget(m_countdown);
    resize(360, 140);
    m_ramp.setObserver([this](const mca::HvRampWindow& state) { mirror(state); });
}

HvRampWindow::~HvRampWindow() { m_ramp.setObserver({}); }

void HvRampWindow::refresh() { mirror(m_ramp.window()); }

void HvRampWindow::mirror(const mca::HvRampWindow& state) {
    m_message->setText(qs(state.message));
    m_progress->setValue(state.progress);
    m_countdown->setText(qs(state.countdown));
    if (state.open && !isVisible()) QDialog::show();
    if (!state.open && isVisible()) hide();
}

void HvRampWindow::closeEvent(QCloseEvent* event) {
    if (m_ramp.window().open) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void HvRampWindow::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog; the ramp decides when it goes.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace mca::gui
