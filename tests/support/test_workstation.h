// A workstation wired to test doubles in a fresh temporary application folder, removed afterwards.
#pragma once

#include "core/workstation.h"
#include "support/recording_desktop.h"
#include "support/recording_port.h"
#include "support/scripted_operator.h"
#include "support/virtual_clock.h"

#include <filesystem>
#include <memory>
#include <string>

namespace mca::testing {

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

class TestWorkstation {
public:
    explicit TestWorkstation(const std::string& applicationTitle = "TREL MCA");

    TempFolder folder;
    VirtualClock clock;
    ScriptedOperator op;
    RecordingDesktop desktop;
    RecordingPortProvider ports;
    std::unique_ptr<Workstation> workstation;

    Workstation& operator*() { return *workstation; }
    Workstation* operator->() { return workstation.get(); }
    std::filesystem::path app() const { return folder.path() / "app"; }
    // Writes a file under the application folder, creating its folders.
    void writeAppFile(const std::string& relativePath, const std::string& content) const;
};

}  // namespace mca::testing
