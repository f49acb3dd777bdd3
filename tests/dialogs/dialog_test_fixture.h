// What the dialog tests share: the one QApplication, an Application on test doubles in a fresh
// folder, detectors to fill its databases with, and finding widgets by object name.
#pragma once

#include "app/application.h"
#include "calibration/detector_entries.h"
#include "core/edition.h"
#include "dialogs/qt_front_end.h"
#include "qtsupport/qt_test_application.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QDialog>

#include <deque>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Failure messages show QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace mca::testing {

// A detector record as Add New Detector would make it from these identity texts.
inline DetectorRecord testDetector(const std::string& name, const std::string& serial,
                                   const std::string& highVoltage = "700") {
    DetectorEntries e = genericDetectorEntries();
    e.name = name;
    e.serial = serial;
    e.description = "3x3 NaI";
    e.cableLength = "6";
    e.units = "ft.";
    e.highVoltage = highVoltage;
    e.notToExceed = "1100";
    return detectorRecordFrom(e);
}

// The widget named `name` under `parent`; fails the test when there is none.
template <typename T>
T* child(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// The tests' modal runner: each dialog shown runs the next scripted step, which drives the dialog
// and closes it; a dialog shown with no step left is cancelled. Nothing blocks in exec().
class ScriptedDialogs {
public:
    using Step = std::function<void(QDialog&)>;

    int run(QDialog& dialog) {
        shown.push_back(dialog.objectName().toStdString());
        if (steps.empty()) {
            dialog.reject();
        } else {
            const Step step = std::move(steps.front());
            steps.pop_front();
            step(dialog);
        }
        return dialog.result();
    }

    std::deque<Step> steps;
    std::vector<std::string> shown;   // object names of the dialogs run, in order
};

class ApplicationFixture : public ::testing::Test {
protected:
    ApplicationFixture() {
        qtTestApplication();
        frontEnd.setModalRunner([this](QDialog& dialog) { return dialogs.run(dialog); });
        w().state.edition = *editionFromTitle("TREL MCA");
        w().session(1).serialNumber = "212345";
        std::filesystem::create_directories(w().folders.calFiles);
    }

    Workstation& w() { return app.workstation(); }
    DetectorDatabase& database(int n = 1) { return app.detectors().database(n); }
    std::filesystem::path detectorsFile() { return w().folders.calFiles / "212345Dets.dat"; }
    // Birch, then Alder: sorted Alder first, and Birch (now row 1) stays selected.
    void addDetectors() {
        database().add(testDetector("Birch", "B1"));
        database().add(testDetector("Alder", "A1"));
    }

    Platform platform() { return Platform{t.clock, t.clock, t.clock, t.op, t.desktop, t.ports}; }

    TestWorkstation t;
    ScriptedDialogs dialogs;
    // Dialogs the application runs go through this front, driven by its modal runner.
    gui::QtFrontEnd frontEnd{nullptr, t.op, t.clock};
    Application app{platform(), "TREL MCA", t.app(), frontEnd};
};

}  // namespace mca::testing
