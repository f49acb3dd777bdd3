// The application and documents folders.
#include "core/folders.h"

#include "core/errors.h"

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace mca {

namespace {

void createInOrder(const std::vector<std::filesystem::path>& paths) {
    for (const auto& p : paths) {
        std::error_code ec;
        std::filesystem::create_directories(p, ec);
        if (ec || !std::filesystem::is_directory(p)) throw StartupError(p.string());
    }
}

}  // namespace

std::filesystem::path applicationFolder() {
    if (const char* home = std::getenv("MCA_HOME"); home && *home) return std::filesystem::path(home);
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path xdgDocumentsFolder() {
    const char* homeEnv = std::getenv("HOME");
    const std::string home = homeEnv && *homeEnv ? homeEnv : "/tmp";
    const char* configEnv = std::getenv("XDG_CONFIG_HOME");
    const std::filesystem::path config = configEnv && *configEnv ? configEnv : home + "/.config";
    std::ifstream in(config / "user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key, 0) != 0 || line.size() < key.size() + 1 || line.back() != '"') continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.rfind("$HOME", 0) == 0) value = home + value.substr(5);
        // Entries that are not absolute paths are ignored, as the XDG tools do.
        if (!value.empty() && value.front() == '/') return value;
    }
    return home;
}

AppFolders appFoldersFor(const std::filesystem::path& application, const std::filesystem::path& documents,
                         const std::string& programName) {
    AppFolders f;
    f.application = application;
    f.documents = documents;
    f.spectra = application / "Spectra";
    f.calFiles = application / "CalFiles";
    f.archive = f.calFiles / "Archive";
    f.reports = application / "Reports";
    f.library = application / "Library";
    f.scripts = application / "Scripts";
    f.mcsFiles = application / "MCS Files";
    f.settingsFile = application / (programName + ".ini");
    f.talvoSpectra = documents / "TALVO Spectra";
    f.talvoData = documents / "TALVO Data";
    f.talvoCalFiles = documents / "TALVO CalFiles";
    return f;
}

void createApplicationFolders(const AppFolders& f) {
    createInOrder({f.spectra, f.calFiles, f.archive, f.reports, f.library, f.scripts});
}

void createFieldStationFolders(const AppFolders& f) {
    createInOrder({f.talvoSpectra, f.talvoData, f.talvoCalFiles});
}

}  // namespace mca
