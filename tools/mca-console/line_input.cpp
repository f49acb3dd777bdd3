// Lines typed at the terminal.
#include "line_input.h"

#include <cerrno>
#include <poll.h>
#include <utility>
#include <unistd.h>

namespace mca::console {

std::optional<std::string> LineInput::takeLine() {
    const auto end = m_buffer.find('\n');
    if (end == std::string::npos) {
        if (!m_atEnd || m_buffer.empty()) return std::nullopt;
        return std::exchange(m_buffer, {});   // a last line without its line end
    }
    std::string line = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<std::string> LineInput::readLine(int timeoutMs) {
    for (;;) {
        if (auto line = takeLine()) return line;
        if (m_atEnd) return std::nullopt;
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char chunk[4096];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) m_atEnd = true;
        else m_buffer.append(chunk, static_cast<std::size_t>(n));
    }
}

}  // namespace mca::console
