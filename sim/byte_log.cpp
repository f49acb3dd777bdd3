// The received-bytes log of mca-sim.
#include "sim/byte_log.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace mca::sim {

std::string formatLogLine(double secondsSinceStart, std::string_view bytes) {
    constexpr char kHex[] = "0123456789ABCDEF";
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f", secondsSinceStart);
    std::string line = stamp;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        line += ' ';
        line += kHex[b >> 4];
        line += kHex[b & 0x0F];
    }
    line += '\n';
    return line;
}

ByteLog::ByteLog(const std::string& path) : m_file(std::fopen(path.c_str(), "w")) {
    if (!m_file) throw std::runtime_error("cannot write the log \"" + path + "\": " + std::strerror(errno));
}

ByteLog::~ByteLog() { std::fclose(m_file); }

void ByteLog::write(double secondsSinceStart, std::string_view bytes) {
    const std::string line = formatLogLine(secondsSinceStart, bytes);
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}

}  // namespace mca::sim
