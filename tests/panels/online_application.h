// An application for panel tests: the workstation's test doubles in a temporary application folder,
// MCA 1 a simulated instrument on COM 3 with a detector table (HV 800 V, NTE 1200 V), and every
// byte the instrument receives kept. start() runs the start sequence in virtual time, answering
// Yes to switching the HV on; with the instrument gone it answers Yes to offline mode.
#pragma once

#include "app/application.h"
#include "calibration/detector_record.h"
#include "qtsupport/qt_test_application.h"
#include "sim/simulated_port.h"
#include "support/listening_ports.h"
#include "support/simulated_setup.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace mca::testing {

inline constexpr int kSimPort = 3;

class OnlineApplication {
public:
    OnlineApplication() {
        qtTestApplication();
        t.writeAppFile("Library/TREL.lib",
                       "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n");
        t.writeAppFile("CalFiles/212345Dets.dat", simulatedDetectorsFile());
        simPorts.place(kSimPort, simulatedCs137Instrument());
    }

    void start() {
        t.op.answers = {Answer::Yes};
        ASSERT_TRUE(app.start({}));
    }

    void startOffline() {
        simPorts.vanish(kSimPort);
        start();
        ASSERT_TRUE(app.workstation().state.offline);
    }

    Workstation& w() { return app.workstation(); }
    const std::string& written() { return ports.written(kSimPort); }
    const sim::InstrumentState& instrument() { return simPorts.instrument(kSimPort)->state(); }

    TestWorkstation t;
    sim::SimulatedPortProvider simPorts{t.clock};
    ListeningPorts ports{simPorts};
    FrontEnd frontEnd;
    Application app{Platform{t.clock, t.clock, t.clock, t.op, t.desktop, ports}, "TREL MCA", t.app(), frontEnd};
};

// The child of `parent` named `name`; fails the test (and returns null) when there is none.
template <typename W>
W* child(QObject& parent, const char* name) {
    W* found = parent.findChild<W*>(name);
    EXPECT_NE(found, nullptr) << "no widget " << name;
    return found;
}

}  // namespace mca::testing
