// Files written by name go into place only when complete: a failed write leaves the old file and
// no temporary file behind.
#include "platform/replacing_output.h"

#include "core/atomic_file.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <QFile>

#include <filesystem>

namespace mca {
namespace {

bool writeText(const QString& path, const char* text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) >= 0;
}

TEST(ReplacingOutput, ReplacesOnlyWhenTheWriteSucceeds) {
    testing::TempFolder folder;
    const std::filesystem::path target = folder.path() / "picture.png";
    writeFileAtomically(target, "old");
    const QString path = QString::fromStdString(target.string());

    EXPECT_FALSE(writeReplacing(path, [](const QString& temporary) {
        writeText(temporary, "half");
        return false;
    }));
    EXPECT_EQ(readFileBytes(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary file left";

    QString used;
    EXPECT_TRUE(writeReplacing(path, [&used](const QString& temporary) {
        used = temporary;
        return writeText(temporary, "new");
    }));
    EXPECT_EQ(readFileBytes(target), "new");
    EXPECT_TRUE(used.endsWith(QStringLiteral(".png"))) << "writers that choose a format by extension still can";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace mca
