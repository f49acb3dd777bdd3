// The main window's tool windows that stay open beside it: fine tuning and the gain
// stabilization setup.
#include "main_window.h"
#include "main_window_fine_tune_hooks.h"
#include "window_chart_sources.h"

#include "chart/chart_area.h"
#include "panels/fine_tune_window.h"
#include "panels/gain_stabilization_window.h"

#include "app/application.h"
#include "device/fine_tune.h"
#include "device/fine_tune_hooks.h"

#include <QMenuBar>

namespace mca {

MainWindow::~MainWindow() = default;

void MainWindow::showFineTune() {
    if (!m_fineTune) {
        m_fineTuneHooks = std::make_unique<FineTuneHooksForWindow>(*this);
        m_fineTune = std::make_unique<FineTune>(m_app.workstation(), m_app.engine(), m_app.fineGainControl(),
                                                *m_fineTuneHooks, m_app.energyCalibration());
        m_fineTuneWindow = new gui::FineTuneWindow(*m_fineTune, m_app.library(), this);
        connect(m_fineTuneWindow, &gui::FineTuneWindow::toolClosed, this, &MainWindow::refreshView);
    }
    if (!m_fineTune->open()) return;
    m_fineTuneWindow->refresh();
    m_fineTuneWindow->show();
    m_fineTuneWindow->raise();
}

void MainWindow::showGainStabilization() {
    if (!m_stabilization) {
        m_stabilization = new gui::GainStabilizationWindow(m_app.workstation(), m_app.stabilization(), this);
    }
    m_stabilization->load();
    m_stabilization->refresh();
    m_stabilization->show();
    m_stabilization->raise();
}

}  // namespace mca
