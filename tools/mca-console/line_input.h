// Lines typed at the terminal, read without blocking the timers: the command prompt waits in
// short slices so the acquisition tick keeps running, and questions wait for their answer.
#pragma once

#include <optional>
#include <string>

namespace mca::console {

class LineInput {
public:
    explicit LineInput(int fd = 0) : m_fd(fd) {}
    // A whole line when one is ready within `timeoutMs` (-1: wait for it). nullopt when the time
    // ran out; check atEnd() to tell the end of input from a timeout.
    std::optional<std::string> readLine(int timeoutMs);
    bool atEnd() const { return m_atEnd && m_buffer.empty(); }

private:
    std::optional<std::string> takeLine();
    int m_fd;
    std::string m_buffer;
    bool m_atEnd = false;
};

}  // namespace mca::console
