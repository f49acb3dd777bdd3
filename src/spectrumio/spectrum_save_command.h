// "Save Spectrum as File..." and the names of spectra saved without asking.
#pragma once

#include "core/date_time.h"
#include "core/folders.h"
#include "core/workstation.h"

#include <filesystem>
#include <functional>
#include <string>

namespace mca {

inline constexpr const char* kEmptySpectrumMessage = "Cannot save spectrum unless it contains data!";
inline constexpr const char* kSpectrumSaveFilter = "Spectrum File (*.usf)|*.usf";
inline constexpr const char* kSpectrumOpenFilter = "Spectrum Files (*.usf)|*.usf";

struct SaveAsActions {
    // Writes instrument n's spectrum file (SaveSpectrumFile with that instrument's sources).
    std::function<void(int instrument, const std::filesystem::path& path)> save;
    std::function<void()> stopAcquisition;
    std::function<void()> startAcquisition;
};

// The menu command: refuses an empty spectrum, stops a running acquisition, asks for a path
// (per open instrument in the four-chart layout), saves, restarts. Failures to write are shown.
void saveSpectrumAsFile(Workstation& w, const SaveAsActions& actions);

// The save dialog's title for instrument n: "Save Spectrum", or in the four-chart layout
// "Save Spectrum for MCA n" with " (" alias ")" when the instrument has one.
std::string saveDialogTitle(const Workstation& w, int instrument);
// "Load Spectrum to Live", "Load Spectrum2 to Live" ... for instruments 1 to 4.
std::string loadDialogTitle(int instrument);

// Spectra/ + "yyyy mm dd hh-nn-ss.usf": the end-of-acquisition save.
std::filesystem::path endOfAcquisitionFile(const AppFolders& folders, const DateTime& stopped);
// TALVO Spectra/ in the documents folder, same name: the field station's save.
std::filesystem::path fieldStationFile(const AppFolders& folders, const DateTime& stopped);
// Spectra/ + "yy-mm-dd_hhmmss.usf": scripts.
std::filesystem::path scriptFile(const AppFolders& folders, const DateTime& saved);
// Spectra/ + prefix + "_" + number or letter + ".usf": sequential spectra.
std::filesystem::path sequentialFile(const AppFolders& folders, const std::string& prefix, const std::string& item);

}  // namespace mca
