// The workstation: owner of the process state, the four instrument sessions, the preferences and
// the folders, together with the boundary it talks to the world through. The main window (or a
// test) creates one and keeps it for the life of the process.
#pragma once

#include "core/app_state.h"
#include "core/command_line.h"
#include "core/folders.h"
#include "core/instrument_session.h"
#include "core/platform.h"
#include "core/sample_data.h"
#include "core/screen_state.h"
#include "core/settings.h"

#include <array>
#include <string>

namespace mca {

class Workstation {
public:
    // `applicationTitle` is the build's title; `application` is the application folder.
    Workstation(Platform platform, std::string applicationTitle, std::filesystem::path application);

    Platform platform;
    std::string applicationTitle;
    AppState state;
    std::array<InstrumentSession, kInstrumentCount> sessions;
    Settings settings;
    AppFolders folders;
    CommandLine commandLine;
    ScreenState screen;
    SampleData sample;

    // Instrument n, 1..4. Throws std::out_of_range for any other number.
    InstrumentSession& session(int n);
    const InstrumentSession& session(int n) const;
    Operator& op() { return platform.op; }
};

// The number (1..4) of the instrument a hardware command addresses: hardwareTarget 1, chooser
// "#1", hardwareTarget 2, chooser "#2", ... hardwareTarget 4, chooser "#4"; then, in the
// two-instrument layout with MCA 2 open, the hardware panel's choice; otherwise MCA 1. The same
// order picks the detector table that receives the new setting.
int addressedInstrument(const AppState& state, const std::array<InstrumentSession, kInstrumentCount>& sessions);
InstrumentSession& addressedSession(Workstation& w);

// Sets instrument n's 80 rate slots to zero.
void resetRateHistory(Workstation& w, int n);

}  // namespace mca
