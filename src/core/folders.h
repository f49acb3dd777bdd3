// Where the workstation keeps its files: the application folder (the program's own folder, or
// MCA_HOME) with its fixed sub-folders, and the field-station folders in the documents folder.
#pragma once

#include "core/edition.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mca {

struct AppFolders {
    std::filesystem::path application;
    std::filesystem::path documents;
    std::filesystem::path spectra;       // Spectra/
    std::filesystem::path calFiles;      // CalFiles/
    std::filesystem::path archive;       // CalFiles/Archive/
    std::filesystem::path reports;       // Reports/
    std::filesystem::path library;       // Library/
    std::filesystem::path scripts;       // Scripts/
    std::filesystem::path mcsFiles;      // MCS Files/ (made by the scaling window when it saves)
    std::filesystem::path settingsFile;  // <program>.ini
    std::filesystem::path talvoSpectra;  // documents/TALVO Spectra/
    std::filesystem::path talvoData;     // documents/TALVO Data/
    std::filesystem::path talvoCalFiles; // documents/TALVO CalFiles/
};

// The application folder: $MCA_HOME when set and not empty, else the folder of the running program.
std::filesystem::path applicationFolder();

// The user's documents folder: XDG_DOCUMENTS_DIR from the user-dirs file, else $HOME, else "/tmp".
std::filesystem::path xdgDocumentsFolder();

// The folder layout under `application`, with the settings file named after `programName`.
AppFolders appFoldersFor(const std::filesystem::path& application, const std::filesystem::path& documents,
                         const std::string& programName = "mca");

// Creates the application sub-folders that are missing, in the order Spectra, CalFiles,
// CalFiles/Archive, Reports, Library, Scripts. Throws StartupError whose text is the path of the
// folder that could not be made.
void createApplicationFolders(const AppFolders& folders);

// Creates the field-station folders under the documents folder, same failure rule.
void createFieldStationFolders(const AppFolders& folders);

}  // namespace mca
