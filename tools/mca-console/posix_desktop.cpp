// The desktop for the terminal front.
#include "posix_desktop.h"

#include "core/folders.h"

#include <ostream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace mca::console {

bool PosixDesktop::openWithDefaultProgram(const std::string& pathOrUrl) {
    return startProgram("xdg-open", {pathOrUrl});
}

bool PosixDesktop::startProgram(const std::string& program, const std::vector<std::string>& arguments) {
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return false;
    // Reap the child when it is already gone; otherwise it is left to finish on its own.
    int status = 0;
    waitpid(pid, &status, WNOHANG);
    return true;
}

void PosixDesktop::setClipboardText(const std::string& text) { m_out << "\n[Clipboard]\n" << text << "\n"; }

void PosixDesktop::setClipboardImage(const std::string& pngBytes) {
    m_out << "\n[Clipboard] a picture of " << pngBytes.size() << " bytes\n";
}

std::string PosixDesktop::documentsFolder() const { return xdgDocumentsFolder().string(); }

}  // namespace mca::console
