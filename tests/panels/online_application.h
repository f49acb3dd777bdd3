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
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace mca::testing {

inline constexpr int kSimPort = 3;

inline std::string panelDetectorsFile() {
    DetectorRecord r;
    const std::pair<int, const char*> fields[] = {
        {field::kName, "NaI 2x2"}, {field::kSerial, "D-7"},       {field::kDescription, "Shelf"},
        {field::kCableLength, "10"}, {field::kCableUnits, "ft."}, {field::kInput, "1"},
        {field::kHighVoltage, "800"}, {field::kNotToExceed, "1200"}, {field::kCoarseGain, "2"},
        {field::kFineGain, "127"},  {field::kShapingTime, "3"},   {field::kThreshold, "20"},
        {field::kChannelsCode, "0"}, {field::kSelectedIndex, "0"}};
    for (const auto& [f, v] : fields) r[f] = v;
    std::string line;
    for (int f = 0; f < kDetectorFieldCount; ++f) line += (f ? "," : "") + (r[f].empty() ? std::string("\"\"") : r[f]);
    return line + "\r\n";
}

class OnlineApplication {
public:
    OnlineApplication() {
        qtTestApplication();
        t.writeAppFile("Library/TREL.lib",
                       "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n");
        t.writeAppFile("CalFiles/212345Dets.dat", panelDetectorsFile());
        sim::InstrumentConfig config;
        config.identity.serialNumber = "212345";
        config.sources = {"cs137"};
        config.ratePerSecond = 3000;
        config.seed = 3;
        simPorts.place(kSimPort, config);
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
