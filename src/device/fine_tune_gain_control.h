// The one place where fine tuning and gain stabilization reach an instrument's fine gain. The
// program wires this to the hardware panel's "Set Fi&ne"; DirectFineGainControl does the same work
// itself for the time being and for tests.
#pragma once

#include "core/workstation.h"

#include <array>
#include <optional>

namespace mca {

class AcquisitionEngine;
class DetectorDatabases;

class FineGainControl {
public:
    virtual ~FineGainControl() = default;

    // Sends fine-gain position `position` (0..255, clamped) to instrument n (1..4) as "Set Fi&ne"
    // does: a running acquisition is stopped around the command and started again, and the position
    // becomes the instrument's own (its cached settings and its selected detector record). Returns
    // false, changing nothing, when the instrument is not open or the command could not be sent.
    virtual bool setFineGain(Workstation& w, int n, int position) = 0;
    // Leaves `position` in instrument n's fine-gain field as a pending edit: its Set button enabled,
    // nothing sent, the instrument keeping its last position until the operator presses Set.
    virtual void showPendingFineGain(Workstation& w, int n, int position) = 0;
    // The two-instrument view shows neither instrument alone: the hardware panel edits nothing.
    virtual void endHardwareEditing(Workstation&) {}
};

class DirectFineGainControl : public FineGainControl {
public:
    DirectFineGainControl(AcquisitionEngine& engine, DetectorDatabases& databases)
        : m_engine(engine), m_databases(databases) {}

    bool setFineGain(Workstation& w, int n, int position) override;
    void showPendingFineGain(Workstation& w, int n, int position) override;

    // The pending edit of instrument n's fine-gain field, if any; sending a position clears it.
    std::optional<int> pendingFineGain(int n) const;

private:
    AcquisitionEngine& m_engine;
    DetectorDatabases& m_databases;
    std::array<std::optional<int>, kInstrumentCount> m_pending;
};

}  // namespace mca
