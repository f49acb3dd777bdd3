// Start and close steps for tests: each call is recorded by name, in order, and a few can be told
// what to answer.
#pragma once

#include "core/start_close_steps.h"
#include "core/workstation.h"

#include <functional>
#include <string>
#include <vector>

namespace mca::testing {

class RecordingSteps : public StartCloseSteps {
public:
    std::vector<std::string> calls;
    bool instrumentFound = true;
    // Runs inside readIdentity, so a test can give MCA 1 its serial number, alias and port.
    std::function<void(Workstation&)> onReadIdentity;

    void loadLibrary(Workstation&, const std::filesystem::path& file) override {
        calls.push_back("loadLibrary " + file.filename().string());
    }
    void resetFineGainExtremes(Workstation&) override { calls.push_back("resetFineGainExtremes"); }
    bool findInstrument(Workstation&) override {
        calls.push_back("findInstrument");
        return instrumentFound;
    }
    bool identityRead = true;
    bool readIdentity(Workstation& w) override {
        calls.push_back("readIdentity");
        if (onReadIdentity) onReadIdentity(w);
        return identityRead;
    }
    void loadDetectorTable(Workstation&, int n) override { calls.push_back("loadDetectorTable " + std::to_string(n)); }
    bool detectorChosen = true;
    bool selectDetector(Workstation&, int n) override {
        calls.push_back("selectDetector " + std::to_string(n));
        return detectorChosen;
    }
    void applySetting(Workstation&, SettingStep step) override {
        calls.push_back("applySetting " + std::to_string(static_cast<int>(step)));
    }
    void setHighVoltage(Workstation&, int n, double volts) override {
        calls.push_back("setHighVoltage " + std::to_string(n) + " " + std::to_string(static_cast<int>(volts)));
    }
    void loadLastFiles(Workstation&) override { calls.push_back("loadLastFiles"); }
    void startBatteryPoll(Workstation&) override { calls.push_back("startBatteryPoll"); }
    void loadSpectrumFile(Workstation&, const std::filesystem::path& file) override {
        calls.push_back("loadSpectrumFile " + file.filename().string());
    }
    void readNetworkSettings(Workstation&) override { calls.push_back("readNetworkSettings"); }
    void openFieldStation(Workstation&) override { calls.push_back("openFieldStation"); }
    void takeStartCapture(Workstation&) override { calls.push_back("takeStartCapture"); }
    void clearSpectrum(Workstation&) override { calls.push_back("clearSpectrum"); }
    void startAcquisition(Workstation& w) override {
        calls.push_back("startAcquisition");
        w.state.acquiring = true;
    }
    void stopAcquisition(Workstation& w) override {
        calls.push_back("stopAcquisition");
        w.state.acquiring = false;
    }
    void saveSpectrumAs(Workstation&) override { calls.push_back("saveSpectrumAs"); }
    void saveRoiSet(Workstation&) override { calls.push_back("saveRoiSet"); }
    void writeBackWorkingHighVoltage(Workstation&) override { calls.push_back("writeBackWorkingHighVoltage"); }
    void saveDetectorTable(Workstation&, int n) override { calls.push_back("saveDetectorTable " + std::to_string(n)); }
    void writeNetworkSettings(Workstation&) override { calls.push_back("writeNetworkSettings"); }
    void closeMetStation(Workstation&) override { calls.push_back("closeMetStation"); }
};

}  // namespace mca::testing
