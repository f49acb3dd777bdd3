// mca-console: the workstation at a terminal. It runs the real start and close sequences, the
// acquisition engine and the serial ports over the headless core, shows what the main window
// would show, and takes commands. It is how the workstation runs before (and beside) the window
// program.
#include "console_front_end.h"
#include "console_loop.h"
#include "console_operator.h"
#include "console_view.h"
#include "line_input.h"
#include "posix_desktop.h"

#include "app/application.h"
#include "core/help_commands.h"
#include "core/number_text.h"
#include "core/system_clock.h"
#include "device/termios_port_provider.h"

#include <algorithm>
#include <iostream>
#include <sstream>

namespace {

using namespace mca;

constexpr int kPromptSliceMs = 50;

void printHelp(std::ostream& out) {
    out << "Commands: hv <volts>, start, stop, clear, restart, status, spectrum [n], save, detector,\n"
           "          preset <seconds>|off, counts <n>|off, version, about, manual, close (or quit), help\n";
}

void setPreset(Workstation& w, std::istringstream& args, bool realTime) {
    std::string value;
    args >> value;
    bool& armed = realTime ? w.state.presetRealTimeOn : w.state.presetCountsOn;
    int& preset = realTime ? w.state.presetRealTime : w.state.presetCounts;
    const auto n = parseInteger(value);
    if (value == "off") armed = false;
    else if (n && *n >= 1 && *n <= 2147483647) {
        preset = static_cast<int>(*n);
        armed = true;
    } else {
        std::cout << "A preset is a whole number from 1 to 2147483647, or off.\n";
    }
}

// Runs one command; false when the workstation has closed.
bool runCommand(const std::string& line, Application& app) {
    Workstation& w = app.workstation();
    AcquisitionEngine& engine = app.engine();
    StartCloseSteps& steps = app.steps();
    std::istringstream args(line);
    std::string command;
    args >> command;
    if (command == "hv") {
        double volts = -1;
        args >> volts;
        if (volts < 0 || volts > w.session(1).hvFullScale) {
            std::cout << "The high voltage is from 0 to " << w.session(1).hvFullScale << " volts.\n";
        } else {
            w.session(1).settings.highVoltage = volts;
            steps.setHighVoltage(w, 1, volts);
        }
    } else if (command == "start") engine.startAcquisition();
    else if (command == "stop") engine.stopAcquisition();
    else if (command == "clear") engine.clearSpectrum();
    else if (command == "restart") engine.clearAndRestart();
    else if (command == "status") console::printStatus(w, std::cout);
    else if (command == "spectrum") {
        int n = 1;
        args >> n;
        console::printSpectrum(w, std::clamp(n, 1, kInstrumentCount), std::cout);
    } else if (command == "preset") setPreset(w, args, true);
    else if (command == "counts") setPreset(w, args, false);
    else if (command == "version") showVersionInformation(w);
    else if (command == "about") {
        showAbout(w, steps, [](const AboutTexts& a) {
            std::cout << "\n" << a.productName << "\n" << a.interfaceVersion << "\n" << a.firmwareVersion << "\n";
        });
    } else if (command == "manual") {
        openHelp(w);
        std::cout << "Opening " << helpFile(w).string() << "\n";
    } else if (command == "save") {
        app.saveSpectrumAs();
    } else if (command == "detector") {
        app.selectDetector(1, false);
    } else if (command == "close" || command == "quit") {
        return !app.close();
    } else if (!command.empty()) {
        printHelp(std::cout);
    }
    return true;
}

// Reads commands while the timers run; returns when the workstation has closed.
void commandLoop(Application& app, console::LineInput& input, console::ConsoleLoop& loop) {
    printHelp(std::cout);
    std::cout << "mca> " << std::flush;
    for (;;) {
        loop.runDueTimers();
        const auto line = input.readLine(kPromptSliceMs);
        if (line) {
            if (!runCommand(*line, app)) return;
            std::cout << "mca> " << std::flush;
        } else if (input.atEnd()) {
            std::cout << "\n";
            if (app.close()) return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    SystemClock clock;
    console::ConsoleLoop loop(clock);
    console::LineInput input;
    console::ConsoleOperator op(input, std::cout);
    console::PosixDesktop desktop(std::cout);
    TermiosPortProvider ports{PortTable{}};
    console::ConsoleFrontEnd frontEnd(op, std::cout);
    Application app(Platform{clock, loop, loop, op, desktop, ports}, std::string(builtApplicationTitle()),
                    applicationFolder(), frontEnd);
    Workstation& w = app.workstation();
    ports.setTable(PortTable::fromSettingsFile(w.folders.settingsFile));

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const bool running = app.start(arguments);
    for (const std::string& text : w.screen.splashHistory) std::cout << "  " << text << "\n";
    if (!running) return 1;
    console::printStatus(w, std::cout);
    commandLoop(app, input, loop);
    std::cout << "Settings written to " << w.folders.settingsFile.string() << "\n";
    return 0;
}
