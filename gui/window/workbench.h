// The window program put together: the Qt boundary (clock, waiter, scheduler, operator with UI
// scripts, desktop, serial ports), the application over it, the dialogs and the main window.
// main() makes one, starts it and runs the event loop.
#pragma once

#include "view_front_end.h"

#include "app/application.h"
#include "core/system_clock.h"
#include "device/termios_port_provider.h"
#include "dialogs/qt_front_end.h"
#include "platform/qt_desktop.h"
#include "platform/qt_scheduler.h"
#include "platform/qt_waiter.h"
#include "platform/ui_script_session.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace mca {

class MainWindow;
class SplashWindow;

class Workbench {
public:
    Workbench(std::string applicationTitle, std::filesystem::path applicationFolder);
    ~Workbench();
    Workbench(const Workbench&) = delete;
    Workbench& operator=(const Workbench&) = delete;

    // The start sequence behind the splash window, then the main window shown as the command
    // line placed it. False when the process must end.
    bool start(const std::vector<std::string>& arguments);

    Application& application() { return m_app; }
    MainWindow& window() { return *m_window; }

private:
    SystemClock m_clock;
    QtWaiter m_waiter;
    QtScheduler m_scheduler;
    UiScriptSession m_ui;
    QtDesktop m_desktop;
    TermiosPortProvider m_ports;
    gui::QtFrontEnd m_dialogs;
    ViewFrontEnd m_front;
    Application m_app;
    std::unique_ptr<MainWindow> m_window;
};

}  // namespace mca
