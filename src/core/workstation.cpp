// The workstation's state and the choice of the instrument a command addresses.
#include "core/workstation.h"

#include <stdexcept>

namespace mca {

Workstation::Workstation(Platform p, std::string title, std::filesystem::path application)
    : platform(p), applicationTitle(std::move(title)),
      folders(appFoldersFor(application, p.desktop.documentsFolder())) {}

InstrumentSession& Workstation::session(int n) {
    if (n < 1 || n > kInstrumentCount) throw std::out_of_range("No instrument MCA " + std::to_string(n));
    return sessions[static_cast<std::size_t>(n - 1)];
}

const InstrumentSession& Workstation::session(int n) const {
    return const_cast<Workstation&>(*this).session(n);
}

int addressedInstrument(const AppState& state, const std::array<InstrumentSession, kInstrumentCount>& sessions) {
    for (int n = 1; n <= kInstrumentCount; ++n) {
        if (state.hardwareTarget == n) return n;
        if (static_cast<int>(state.view.chooser) == n) return n;
    }
    const bool twoInstrumentLayout = !state.quadLayout && sessions[1].open;
    if (twoInstrumentLayout && state.view.hardwarePanelInstrument == 2) return 2;
    return 1;
}

InstrumentSession& addressedSession(Workstation& w) { return w.session(addressedInstrument(w.state, w.sessions)); }

void resetRateHistory(Workstation& w, int n) { w.session(n).rate.reset(); }

}  // namespace mca
