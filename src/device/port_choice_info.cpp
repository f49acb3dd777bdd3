// The port-information messages.
#include "device/port_choice_info.h"

namespace mca {

std::string portInfoText(const Workstation& w, PortInfoSubject subject) {
    const bool second = subject == PortInfoSubject::Second;
    const InstrumentSession& s = w.session(second ? 2 : 1);
    const std::string name = (second ? "2nd " : "") + std::string(w.state.edition.instrumentName);
    const bool offline = !s.open || (!second && w.state.offline);
    if (offline) return name + " is currently Offline";
    return name + " #" + s.serialNumber + " is currently using COM " + std::to_string(s.comNumber);
}

void showPortInfo(Workstation& w, PortInfoSubject subject) { w.op().message(portInfoText(w, subject)); }

}  // namespace mca
