// mca-sim's record of what the host sent: one line per chunk of received bytes, seconds since the
// start with three decimals, a blank, then the bytes in upper-case hex separated by blanks
// ("12.345 55 52").
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace mca::sim {

std::string formatLogLine(double secondsSinceStart, std::string_view bytes);

class ByteLog {
public:
    // Creates or truncates `path`; throws std::runtime_error naming the file and the reason.
    explicit ByteLog(const std::string& path);
    ~ByteLog();
    ByteLog(const ByteLog&) = delete;
    ByteLog& operator=(const ByteLog&) = delete;

    // Writes one line and flushes it, so the log is complete up to the moment the program stops.
    void write(double secondsSinceStart, std::string_view bytes);

private:
    std::FILE* m_file;
};

}  // namespace mca::sim
