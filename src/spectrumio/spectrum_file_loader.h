// LoadSpectrumFile: the only reader of spectrum files into an instrument. Live (an instrument is
// attached) the file must come from the same detector and only the counts, times and sample data
// are taken; offline the file's detector, settings and calibration replace the session's.
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"
#include "core/csv_grid.h"
#include "core/workstation.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mca {

inline constexpr const char* kDifferentDetectorMessage = "Spectrum taken using different detector.  Cannot be loaded live.";
inline constexpr const char* kDifferentHvWarning = "Warning:  Spectrum taken using different high voltage.";
inline constexpr const char* kDifferentCoarseGainWarning = "Warning:  Spectrum taken using different coarse gain.";
inline constexpr const char* kDifferentThresholdWarning = "Warning:  Spectrum taken using different threshold.";

// What loading asks of the subsystems around the spectrum; each does nothing here.
class SpectrumLoadHooks {
public:
    virtual ~SpectrumLoadHooks() = default;
    // "Stop and Clear Spectrum" for the instrument about to receive the file.
    virtual void clearSpectrum(Workstation&, int /*instrument*/) {}
    virtual void clearFoundPeaks(Workstation&) {}
    // Offline MCA 1: the ROI set named by the file (already cut to a file name), its efficiency
    // calibration and the detector's shape calibration, in that order.
    virtual void loadOfflineRoiAndCalibrations(Workstation&, const DetectorRecord&, const std::string& /*roiFile*/) {}
    // Offline MCA 1: the loaded hardware settings become the session's last applied ones.
    virtual void recordAppliedSettings(Workstation&) {}
    virtual void rederiveBackground(Workstation&) {}
    virtual void redrawViews(Workstation&) {}
};

// The hardware panel's texts a live load compares with the file.
struct PanelTexts {
    std::string highVoltage;
    std::string coarseGain;
    std::string threshold;
};

struct SpectrumLoadTarget {
    Workstation& workstation;
    int instrument = 1;
    // Instrument n's selected detector record: compared with the file live, filled from it offline.
    DetectorRecord& record;
    // Its row number in the database, written into field 42 offline.
    int recordRow = 0;
    // Offline: empties every cell of instrument n's detector database in memory (not on disk).
    std::function<void()> clearDetectorDatabase;
    EnergyCalibration& calibration;
    SpectrumLoadHooks& hooks;
    PanelTexts panel;
};

// Reads `path` into the target instrument. True when loaded; false when the file could not be
// read (the error shown), came from another detector while live, or a live count was not a
// number. Never throws for what a file holds.
bool LoadSpectrumFile(SpectrumLoadTarget& target, const std::filesystem::path& path);

// The same on a grid already read (for tools and tests).
bool loadSpectrumGrid(SpectrumLoadTarget& target, const Grid& grid, const std::string& path);

// The hardware panel's texts from instrument n's settings.
PanelTexts panelTextsOf(const InstrumentSession& session);

}  // namespace mca
