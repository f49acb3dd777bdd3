// mca-console: the workstation at a terminal. It runs the real start and close sequences over
// the headless core, shows what the main window would show, and takes a few commands. It is how
// the workstation runs before (and beside) the window program.
#include "console_loop.h"
#include "console_operator.h"
#include "posix_desktop.h"

#include "core/help_commands.h"
#include "core/number_text.h"
#include "core/shutdown.h"
#include "core/startup.h"
#include "core/system_clock.h"

#include <iostream>

namespace {

using namespace mca;

// Until the device link is built there are no serial ports to open.
class NoSerialPorts : public SerialPortProvider {
public:
    std::unique_ptr<SerialPort> open(int comNumber, int) override {
        throw SerialPortError("COM" + std::to_string(comNumber) + " is not available");
    }
    std::vector<PortListing> listPorts() override { return {}; }
};

void printStatus(const Workstation& w, std::ostream& out) {
    const AppState& st = w.state;
    out << "\n" << w.screen.caption << "\n"
        << "  " << w.screen.splashVersion << "\n"
        << "  Edition:            " << st.edition.applicationTitle << (st.fieldStation ? " (field station)" : "") << "\n"
        << "  Application folder: " << w.folders.application.string() << "\n"
        << "  Settings file:      " << w.folders.settingsFile.string() << "\n"
        << "  Library:            " << w.settings.lastLibrary << "\n"
        << "  Mode:               " << (st.offline ? "Offline" : "Online") << (st.quadLayout ? ", four charts" : "")
        << (st.networkMode ? ", monitoring network" : "") << "\n"
        << "  Real-time preset:   " << formatThousands(st.presetRealTime) << " s"
        << (st.presetRealTimeOn ? " (armed)" : "") << "\n"
        << "  Counts preset:      " << formatThousands(st.presetCounts) << (st.presetCountsOn ? " (armed)" : "") << "\n"
        << "  Dead-time credit:   " << st.eventCreditCap << "\n"
        << "  Channels:           " << st.channelCount << "\n"
        << "  Indicator:          " << w.screen.indicator << "\n"
        << "  MCA 1 rate:         " << w.session(1).rate.displayedRateText() << "\n";
}

void printHelp(std::ostream& out) {
    out << "Commands: status, version, about, manual, close (or quit), help\n";
}

// Returns when the operator has closed the workstation or input has ended.
void commandLoop(Workstation& w, StartCloseSteps& steps, std::istream& in, std::ostream& out) {
    printHelp(out);
    for (;;) {
        out << "mca> " << std::flush;
        std::string command;
        if (!std::getline(in, command)) {
            out << "\n";
            if (closeWorkstation(w, steps) || !in) return;
            continue;
        }
        if (command == "status") printStatus(w, out);
        else if (command == "version") showVersionInformation(w);
        else if (command == "about") {
            showAbout(w, steps, [&](const AboutTexts& a) {
                out << "\n" << a.productName << "\n" << a.interfaceVersion << "\n" << a.firmwareVersion << "\n";
            });
        } else if (command == "manual") {
            openHelp(w);
            out << "Opening " << helpFile(w).string() << "\n";
        } else if (command == "close" || command == "quit") {
            if (closeWorkstation(w, steps)) return;
        } else if (!command.empty()) {
            printHelp(out);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    SystemClock clock;
    console::ConsoleLoop loop(clock);
    console::ConsoleOperator op(std::cin, std::cout);
    console::PosixDesktop desktop(std::cout);
    NoSerialPorts ports;
    Workstation w(Platform{clock, loop, loop, op, desktop, ports}, std::string(builtApplicationTitle()),
                  applicationFolder());
    StartCloseSteps steps;

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const StartOutcome outcome = startWorkstation(w, arguments, steps);
    for (const std::string& text : w.screen.splashHistory) std::cout << "  " << text << "\n";
    if (outcome == StartOutcome::Ended) return 1;
    printStatus(w, std::cout);
    commandLoop(w, steps, std::cin, std::cout);
    std::cout << "Settings written to " << w.folders.settingsFile.string() << "\n";
    return 0;
}
