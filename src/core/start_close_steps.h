// The steps of start-up and close that belong to other subsystems (library, instruments,
// detectors, files, acquisition, field station). The start and close routines call them in their
// fixed order; each does nothing here, and the program supplies the real ones as the subsystems
// provide them.
#pragma once

#include <filesystem>

namespace mca {

class Workstation;

// The detector settings sent to MCA 1 at start, in this order.
enum class SettingStep { InputAndPolarity, ShapingTime, CoarseGain, FineGain, Threshold };

class StartCloseSteps {
public:
    virtual ~StartCloseSteps() = default;

    // Start
    virtual void loadLibrary(Workstation&, const std::filesystem::path& /*file*/) {}
    virtual void resetFineGainExtremes(Workstation&) {}
    // Finds and opens MCA 1 (the -COM port, the port dialog or the search); true when found.
    virtual bool findInstrument(Workstation&) { return false; }
    // Serial number, alias, firmware, polarity and HV unit of MCA 1; false when the instrument
    // fell silent or could not be used, which counts as not found.
    virtual bool readIdentity(Workstation&) { return true; }
    virtual void loadDetectorTable(Workstation&, int /*instrument*/) {}
    // Lets the operator choose the detector; false when they cancelled, which ends the start.
    virtual bool selectDetector(Workstation&, int /*instrument*/) { return true; }
    virtual void applySetting(Workstation&, SettingStep) {}
    // Sets and waits for the high voltage of an instrument (0 switches it off).
    virtual void setHighVoltage(Workstation&, int /*instrument*/, double /*volts*/) {}
    virtual void loadLastFiles(Workstation&) {}
    virtual void startBatteryPoll(Workstation&) {}
    virtual void loadSpectrumFile(Workstation&, const std::filesystem::path& /*file*/) {}
    virtual void readNetworkSettings(Workstation&) {}
    virtual void openFieldStation(Workstation&) {}
    virtual void takeStartCapture(Workstation&) {}

    // Acquisition
    virtual void clearSpectrum(Workstation&) {}
    virtual void startAcquisition(Workstation&) {}
    virtual void stopAcquisition(Workstation&) {}

    // Close
    virtual void saveSpectrumAs(Workstation&) {}
    virtual void saveRoiSet(Workstation&) {}
    virtual void writeBackWorkingHighVoltage(Workstation&) {}
    // Called for every instrument at close; the database decides whether it has anything to save.
    virtual void saveDetectorTable(Workstation&, int /*instrument*/) {}
    virtual void writeNetworkSettings(Workstation&) {}
    virtual void closeMetStation(Workstation&) {}
};

}  // namespace mca
