// The application folder, its sub-folders and the documents folder.
#include "core/folders.h"

#include "core/errors.h"
#include "support/test_workstation.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace mca {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) ::setenv(m_name, m_old->c_str(), 1);
        else ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(Folders, HomeVariableNamesTheApplicationFolder) {
    ScopedEnv home("MCA_HOME", "/srv/mca");
    EXPECT_EQ(applicationFolder(), std::filesystem::path("/srv/mca"));
}

TEST(Folders, WithoutTheVariableItIsTheProgramsFolder) {
    ScopedEnv home("MCA_HOME", "");
    EXPECT_TRUE(std::filesystem::exists(applicationFolder() / "core_tests"));
}

TEST(Folders, LayoutAndSettingsFile) {
    const AppFolders f = appFoldersFor("/a", "/d");
    EXPECT_EQ(f.archive, std::filesystem::path("/a/CalFiles/Archive"));
    EXPECT_EQ(f.mcsFiles, std::filesystem::path("/a/MCS Files"));
    EXPECT_EQ(f.settingsFile, std::filesystem::path("/a/mca.ini"));
    EXPECT_EQ(f.talvoCalFiles, std::filesystem::path("/d/TALVO CalFiles"));
}

TEST(Folders, CreatesWhatIsMissingAndKeepsWhatIsThere) {
    testing::TempFolder dir;
    const AppFolders f = appFoldersFor(dir.path(), dir.path() / "docs");
    std::filesystem::create_directories(f.spectra);
    std::ofstream(f.spectra / "keep.usf") << "x";
    createApplicationFolders(f);
    createFieldStationFolders(f);
    for (const auto& p : {f.spectra, f.calFiles, f.archive, f.reports, f.library, f.scripts, f.talvoSpectra,
                          f.talvoData, f.talvoCalFiles}) {
        EXPECT_TRUE(std::filesystem::is_directory(p)) << p;
    }
    EXPECT_TRUE(std::filesystem::exists(f.spectra / "keep.usf"));
}

TEST(Folders, FailureNamesTheFolder) {
    testing::TempFolder dir;
    const AppFolders f = appFoldersFor(dir.path(), dir.path());
    std::ofstream(dir.path() / "CalFiles") << "not a folder";
    try {
        createApplicationFolders(f);
        FAIL() << "no error";
    } catch (const StartupError& e) {
        EXPECT_EQ(std::string(e.what()), f.calFiles.string());
    }
}

TEST(Folders, DocumentsFolderFromTheUserDirsFile) {
    testing::TempFolder dir;
    ScopedEnv home("HOME", "/home/op");
    ScopedEnv config("XDG_CONFIG_HOME", dir.path().string());
    EXPECT_EQ(xdgDocumentsFolder(), std::filesystem::path("/home/op"));   // no file: the home folder
    std::ofstream(dir.path() / "user-dirs.dirs") << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                 << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(xdgDocumentsFolder(), std::filesystem::path("/home/op/Dokumente"));
    std::ofstream(dir.path() / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/data/docs\"\n";
    EXPECT_EQ(xdgDocumentsFolder(), std::filesystem::path("/data/docs"));
    std::ofstream(dir.path() / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"relative\"\n";
    EXPECT_EQ(xdgDocumentsFolder(), std::filesystem::path("/home/op"));
}

}  // namespace
}  // namespace mca
