// Composition of the window program and its start.
#include "workbench.h"

#include "main_window.h"
#include "splash_window.h"

#include "chart/chart_area.h"
#include "core/ini_file.h"

namespace mca {

namespace {

// The port table: [Ports] of the settings file, MCA_PORTS, then the serial devices present. An
// unreadable settings file leaves the first part out; the start sequence reports the file itself.
PortTable portTableFor(const Workstation& w) {
    try {
        return PortTable::fromEnvironment(IniFile::load(w.folders.settingsFile));
    } catch (const std::exception&) {
        return PortTable::fromEnvironment(IniFile{});
    }
}

}  // namespace

Workbench::Workbench(std::string applicationTitle, std::filesystem::path applicationFolder)
    : m_ports(PortTable{}),
      m_dialogs(nullptr, m_ui.op(), m_scheduler),
      m_front(m_dialogs),
      m_app(Platform{m_clock, m_waiter, m_scheduler, m_ui.op(), m_desktop, m_ports}, std::move(applicationTitle),
            std::move(applicationFolder), m_front) {
    m_ports.setTable(portTableFor(m_app.workstation()));
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
    window->charts().updateLayout();
    window->refreshView();
    window->applyPlacement();
    return true;
}

}  // namespace mca
