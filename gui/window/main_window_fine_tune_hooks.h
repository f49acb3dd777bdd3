// What the fine-tune tool asks of the main window: the hardware panel shown, the window disabled
// while the tool runs, saving and the full spectrum. Private to the main window's files.
#pragma once

#include "main_window.h"

#include "chart/chart_area.h"
#include "panels/fine_tune_window.h"

#include "app/application.h"
#include "device/fine_tune_hooks.h"

#include <QMenuBar>

namespace mca {

// What the fine-tune tool asks of the window around it.
class MainWindow::FineTuneHooksForWindow : public FineTuneHooks {
public:
    explicit FineTuneHooksForWindow(MainWindow& window) : m_window(window) {}
    void showHardwarePanel(Workstation&) override { m_window.m_sidePanel->setVisible(true); }
    void setMainWindowEnabled(Workstation&, bool enabled) override {
        m_window.menuBar()->setEnabled(enabled);
        m_window.centralWidget()->setEnabled(enabled);
    }
    void saveSpectrumAs(Workstation&) override { m_window.m_app.saveSpectrumAs(); }
    void showFullSpectrum(Workstation&) override { m_window.m_charts->undoZoom(); }
    void closeWindow(Workstation&) override {
        if (m_window.m_fineTuneWindow) m_window.m_fineTuneWindow->hide();
    }

private:
    MainWindow& m_window;
};

}  // namespace mca
