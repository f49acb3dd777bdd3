// Golden files of the report tests: the output is compared with the stored file in full, and
// written over it only when MCA_UPDATE_GOLDEN=1 is set on purpose.
#pragma once

#include "core/atomic_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace mca::testing {

inline std::filesystem::path goldenPath(const std::string& name) {
    return std::filesystem::path(__FILE__).parent_path() / "golden" / name;
}

inline void expectMatchesGolden(const std::string& name, const std::string& actual) {
    const auto path = goldenPath(name);
    const char* update = std::getenv("MCA_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        writeFileAtomically(path, actual);
        return;
    }
    const auto expected = readFileIfExists(path);
    ASSERT_TRUE(expected.has_value()) << "missing golden file " << path << " (run with MCA_UPDATE_GOLDEN=1)";
    EXPECT_EQ(actual, *expected) << "differs from " << path;
}

}  // namespace mca::testing
