// Composition of the window program and its start.
#include "workbench.h"

#include "main_window.h"
#include "splash_window.h"

#include "chart/chart_area.h"

namespace mca {

Workbench::Workbench(std::string applicationTitle, std::filesystem::path applicationFolder)
    : m_ports(PortTable{}),
      m_dialogs(nullptr, m_ui.op(), m_scheduler),
      m_front(m_dialogs),
      m_app(Platform{m_clock, m_waiter, m_scheduler, m_ui.op(), m_desktop, m_ports}, std::move(applicationTitle),
            std::move(applicationFolder), m_front) {
    m_ports.setTable(PortTable::fromSettingsFile(m_app.workstation().folders.settingsFile));
}

Workbench::~Workbench() {
    m_front.setWindow(nullptr);
}

bool Workbench::start(const std::vector<std::string>& arguments) {
    m_window = std::make_unique<MainWindow>(m_app);
    m_ui.setDialogParent(m_window.get());
    // The script runs from the first moment, so its answers reach the start sequence's questions.
    MainWindow* window = m_window.get();
    m_ui.start([window] { window->close(); });

    SplashWindow splash(m_app.workstation().screen);
    splash.follow();
    const bool running = m_app.start(arguments);
    splash.stop();
    if (!running) return false;

    m_front.setWindow(window);
    window->setStarted();
    window->charts().updateLayout();   // redraws the charts
    window->applyScreenState();
    window->applyPlacement();
    return true;
}

}  // namespace mca
