// Atomic file replacement and whole-file reads, including the failures an operator can meet.
#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>

#include "core/errors.h"

namespace mca {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "atomic_file_test.XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        m_folder = name;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    const fs::path& folder() const { return m_folder; }

    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_folder)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    static void put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }

    static mode_t modeOf(const fs::path& path) {
        struct stat info {};
        EXPECT_EQ(::stat(path.c_str(), &info), 0);
        return info.st_mode & 07777;
    }

private:
    fs::path m_folder;
};

TEST_F(AtomicFile, WritesNewFileWithModeFromUmask) {
    const fs::path path = folder() / "new.usf";
    const mode_t saved = ::umask(027);
    writeFileAtomically(path, std::string("a\0b\r\n", 5));
    ::umask(saved);
    EXPECT_EQ(readFileBytes(path), std::string("a\0b\r\n", 5));
    EXPECT_EQ(modeOf(path), 0640u);
}

TEST_F(AtomicFile, ReplaceKeepsModeAndLeavesNoTemporaries) {
    const fs::path path = folder() / "spectrum.usf";
    put(path, "old content that is longer than the new one");
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);

    writeFileAtomically(path, "new");

    EXPECT_EQ(readFileBytes(path), "new");
    EXPECT_EQ(modeOf(path), 0604u);
    EXPECT_EQ(entries(), std::vector<std::string>{"spectrum.usf"});
}

TEST_F(AtomicFile, WritesEmptyAndLargeContent) {
    const fs::path path = folder() / "data.bin";
    writeFileAtomically(path, "");
    EXPECT_EQ(readFileBytes(path), "");

    std::string large(5'000'000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i) {
        large[i] = static_cast<char>(i * 7919 % 251);
    }
    writeFileAtomically(path, large);
    EXPECT_EQ(readFileBytes(path), large);
}

TEST_F(AtomicFile, RelativePathWritesIntoCurrentFolder) {
    const fs::path saved = fs::current_path();
    fs::current_path(folder());
    writeFileAtomically("relative.txt", "x");
    fs::current_path(saved);
    EXPECT_EQ(readFileBytes(folder() / "relative.txt"), "x");
    EXPECT_EQ(entries(), std::vector<std::string>{"relative.txt"});
}

TEST_F(AtomicFile, UnreachableFolderThrowsNamingPathAndReason) {
    struct Case {
        const char* name;
        fs::path path;
        const char* reason;
    };
    put(folder() / "plain", "not a folder");
    const Case cases[] = {
        {"FolderMissing", folder() / "missing" / "x.usf", "No such file or directory"},
        {"ParentIsRegularFile", folder() / "plain" / "x.usf", "Not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            writeFileAtomically(c.path, "bytes");
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot write " + c.path.string() + ": " + c.reason);
        }
    }
    EXPECT_EQ(readFileBytes(folder() / "plain"), "not a folder");
    EXPECT_EQ(entries(), std::vector<std::string>{"plain"});
}

// Running as root makes permission failures impossible to stage, so a file size limit makes the
// write itself fail half-way, which is the case the temporary exists for.
TEST_F(AtomicFile, FailedWriteKeepsOldContentAndRemovesTemporary) {
    const fs::path path = folder() / "table.csv";
    put(path, "old");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);

    EXPECT_THROW(writeFileAtomically(path, std::string(100'000, 'n')), FileError);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(readFileBytes(path), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"table.csv"});
}

TEST_F(AtomicFile, TargetThatIsAFolderIsNotReplaced) {
    const fs::path path = folder() / "busy";
    fs::create_directory(path);
    put(path / "inside", "kept");
    EXPECT_THROW(writeFileAtomically(path, "bytes"), FileError);
    EXPECT_EQ(readFileBytes(path / "inside"), "kept");
    EXPECT_EQ(entries(), std::vector<std::string>{"busy"});
}

TEST_F(AtomicFile, ReadsDistinguishMissingFromUnreadable) {
    const fs::path missing = folder() / "missing.ini";
    EXPECT_EQ(readFileIfExists(missing), std::nullopt);
    try {
        readFileBytes(missing);
        ADD_FAILURE() << "no FileError";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot read " + missing.string() + ": No such file or directory");
    }

    EXPECT_THROW(readFileIfExists(folder()), FileError);
    EXPECT_THROW(readFileBytes(folder()), FileError);
    put(folder() / "plain", "x");
    EXPECT_THROW(readFileIfExists(folder() / "plain" / "child"), FileError);

    put(folder() / "present.ini", "[a]\r\n");
    EXPECT_EQ(readFileIfExists(folder() / "present.ini"), "[a]\r\n");
}

}  // namespace
}  // namespace mca
