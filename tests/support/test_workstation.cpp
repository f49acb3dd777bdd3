// The test workstation and temporary folders.
#include "support/test_workstation.h"

#include <cstdlib>
#include <fstream>


namespace mca::testing {

TempFolder::TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "mca-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

TestWorkstation::TestWorkstation(const std::string& applicationTitle) {
    std::filesystem::create_directories(app());
    desktop.documents = (folder.path() / "Documents").string();
    workstation = std::make_unique<Workstation>(Platform{clock, clock, clock, op, desktop, ports}, applicationTitle,
                                                app());
}

void TestWorkstation::writeAppFile(const std::string& relativePath, const std::string& content) const {
    const auto path = app() / relativePath;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

}  // namespace mca::testing
