// Setting the fine gain directly: the "F" command, the acquisition stopped around it, and the
// position kept in the session and in column 9 of the selected detector record.
#include "device/fine_tune_gain_control.h"

#include "calibration/detector_databases.h"
#include "device/acquisition_engine.h"
#include "device/protocol.h"

#include <algorithm>

namespace mca {

namespace {

std::size_t slot(int n) { return static_cast<std::size_t>(n - 1); }

}  // namespace

bool DirectFineGainControl::setFineGain(Workstation& w, int n, int position) {
    InstrumentSession& s = w.session(n);
    if (!s.open || !s.port) return false;
    const int clamped = std::clamp(position, 0, kMaxFineGain);
    // The instrument takes a setting only while stopped; the acquisition goes on afterwards with
    // the new gain and the spectrum it had.
    const bool restart = w.state.acquiring;
    if (restart) m_engine.stopAcquisition();
    bool sent = true;
    try {
        sendFineGain(Link{*s.port, w.platform.waiter, w.state.networkMode}, clamped);
        s.settings.fineGain = clamped;
        SelectedRecord(m_databases, n)[field::kFineGain] = std::to_string(clamped);
        m_pending[slot(n)].reset();
    } catch (const SerialPortError& e) {
        w.op().message(e.what(), {}, MessageKind::Error);
        sent = false;
    }
    if (restart) m_engine.startAcquisition();
    return sent;
}

void DirectFineGainControl::showPendingFineGain(Workstation&, int n, int position) {
    m_pending.at(slot(n)) = std::clamp(position, 0, kMaxFineGain);
}

std::optional<int> DirectFineGainControl::pendingFineGain(int n) const { return m_pending.at(slot(n)); }

}  // namespace mca
