// Whole-file reads and atomic replacement on POSIX: temporary file, fsync, rename.
#include "core/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "core/errors.h"

namespace mca {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }
    // close() can report a deferred write error, so the write path must see its result.
    int release() {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

[[noreturn]] void throwFileError(const char* verb, const std::filesystem::path& path, int error) {
    throw FileError(std::string("Cannot ") + verb + " " + path.string() + ": " + std::strerror(error));
}

// umask() can only be read by setting it, which races with other threads creating files, so the
// kernel's report is preferred and the set-and-restore is the fallback for old kernels.
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t modeForReplacement(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        return info.st_mode & 07777;
    }
    return 0666 & ~currentUmask();
}

std::string temporaryTemplate(const std::filesystem::path& path) {
    constexpr std::size_t kSuffixLength = 7;  // ".XXXXXX"
    std::string name = "." + path.filename().string();
    if (name.size() + kSuffixLength > NAME_MAX) {
        name.resize(NAME_MAX - kSuffixLength);
    }
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    return (folder / (name + ".XXXXXX")).string();
}

// Returns 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Returns 0 or the errno of the first failing step; the caller owns removing the temporary.
int fillTemporary(FileDescriptor& file, std::string_view bytes, mode_t mode) {
    if (const int error = writeAll(file.get(), bytes); error != 0) {
        return error;
    }
    if (::fchmod(file.get(), mode) != 0 || ::fsync(file.get()) != 0) {
        return errno;
    }
    return file.release() == 0 ? 0 : errno;
}

// The rename is only durable once the folder entry is on disk; the data is already safe and the
// target already replaced, so a failure here is not worth reporting.
void syncFolder(const std::filesystem::path& path) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string readAll(int fd, const std::filesystem::path& path) {
    std::string bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) {
            return bytes;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            throwFileError("read", path, errno);
        }
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

int openForReading(const std::filesystem::path& path) {
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const mode_t mode = modeForReplacement(path);
    std::string temporary = temporaryTemplate(path);
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        throwFileError("write", path, errno);
    }
    int error = fillTemporary(file, bytes, mode);
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        throwFileError("write", path, error);
    }
    syncFolder(path);
}

std::string readFileBytes(const std::filesystem::path& path) {
    FileDescriptor file(openForReading(path));
    if (file.get() < 0) {
        throwFileError("read", path, errno);
    }
    return readAll(file.get(), path);
}

std::optional<std::string> readFileIfExists(const std::filesystem::path& path) {
    FileDescriptor file(openForReading(path));
    if (file.get() < 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        throwFileError("read", path, errno);
    }
    return readAll(file.get(), path);
}

}  // namespace mca
