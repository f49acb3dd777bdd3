// The symbolic link mca-sim can put beside a fixed path (--link), so a port table can name the
// simulator without knowing which pseudo-terminal it got. Removed when the program ends.
#pragma once

#include <string>

namespace mca::sim {

class SlaveLink {
public:
    // Creates `linkPath` -> `target`, replacing a stale symbolic link; throws std::system_error
    // when the path is taken by anything else or cannot be made.
    SlaveLink(std::string linkPath, std::string target);
    // Removes the link, unless something else has been put in its place meanwhile.
    ~SlaveLink();
    SlaveLink(const SlaveLink&) = delete;
    SlaveLink& operator=(const SlaveLink&) = delete;

private:
    std::string m_linkPath;
    std::string m_target;
};

}  // namespace mca::sim
