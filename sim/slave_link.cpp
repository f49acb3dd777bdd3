// The --link symbolic link of mca-sim.
#include "sim/slave_link.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace mca::sim {

namespace {
std::string linkTarget(const std::string& path) {
    char buffer[4096];
    const ssize_t n = readlink(path.c_str(), buffer, sizeof buffer);
    return n < 0 ? std::string{} : std::string(buffer, static_cast<std::size_t>(n));
}
}  // namespace

SlaveLink::SlaveLink(std::string linkPath, std::string target)
    : m_linkPath(std::move(linkPath)), m_target(std::move(target)) {
    struct stat existing {};
    // A link left by a simulator that was killed points at a terminal that is gone or reused.
    if (lstat(m_linkPath.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) unlink(m_linkPath.c_str());
    if (symlink(m_target.c_str(), m_linkPath.c_str()) != 0) {
        throw std::system_error(errno, std::generic_category(), "cannot create the link " + m_linkPath);
    }
}

SlaveLink::~SlaveLink() {
    if (linkTarget(m_linkPath) == m_target) unlink(m_linkPath.c_str());
}

}  // namespace mca::sim
