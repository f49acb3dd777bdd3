// LoadLibrary with and without the file dialog, the start step's load, and failed loads that
// leave the current library as it was.
#include "library/load_library.h"

#include "library/library_samples.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::kSmallLibrary;
using Strings = std::vector<std::string>;

const std::string kOther =
    "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
    "Mn-54,11,312.29,days,Manganese,0,0\r\n"
    "Mn-54,1,\"\",834.838,99.9746,1,1\r\n";

class LoadLibraryTest : public ::testing::Test {
protected:
    LoadLibraryTest() {
        t.writeAppFile("Library/TREL.lib", kSmallLibrary);
        t.writeAppFile("Library/Other.lib", kOther);
    }
    std::filesystem::path libraryFolder() const { return t.app() / "Library"; }

    testing::TestWorkstation t;
    NuclideLibrary library;
};

TEST_F(LoadLibraryTest, StartStepLoadsTheChosenFileAndSelectsTheFirstNuclide) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "Other.lib"));
    EXPECT_EQ(library.nuclideList(), (Strings{"Mn-54"}));
    EXPECT_EQ(library.selectedNuclide(), "Mn-54");
    EXPECT_EQ(library.fileName(), "Other.lib");
    EXPECT_EQ(t->settings.lastLibrary, "Other.lib");
    EXPECT_TRUE(t.op.transcript().empty());
}

TEST_F(LoadLibraryTest, BareNameIsTakenFromTheLibraryFolder) {
    ASSERT_TRUE(loadLibraryFile(library, "TREL.lib", libraryFolder(), t.op));
    EXPECT_EQ(library.filePath(), libraryFolder() / "TREL.lib");
}

TEST_F(LoadLibraryTest, PromptStartsAtTheCurrentLibraryAndTheChoiceBecomesCurrent) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "TREL.lib"));
    t.op.fileChoices.push_back((libraryFolder() / "Other.lib").string());
    ASSERT_TRUE(LoadLibrary(*t, library, true));
    const auto& shown = t.op.transcript().back();
    EXPECT_EQ(shown.kind, testing::ScriptedOperator::Shown::Kind::OpenFile);
    EXPECT_EQ(shown.text, libraryFolder().string());
    EXPECT_EQ(library.fileName(), "Other.lib");
    EXPECT_EQ(t->settings.lastLibrary, "Other.lib");
    EXPECT_EQ(library.nuclideList(), (Strings{"Mn-54"}));
}

TEST_F(LoadLibraryTest, CancelledPromptChangesNothing) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "TREL.lib"));
    t.op.fileChoices.push_back(std::nullopt);
    EXPECT_FALSE(LoadLibrary(*t, library, true));
    EXPECT_EQ(library.fileName(), "TREL.lib");
    EXPECT_EQ(library.nuclideList().size(), 2u);
}

TEST_F(LoadLibraryTest, RefreshReadsTheCurrentFileAgain) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "TREL.lib"));
    library.selectNuclide("Cs-137");
    t.writeAppFile("Library/TREL.lib", kOther);
    ASSERT_TRUE(LoadLibrary(*t, library, false));
    EXPECT_EQ(library.nuclideList(), (Strings{"Mn-54"}));
    EXPECT_EQ(library.selectedNuclide(), "Mn-54");
}

TEST_F(LoadLibraryTest, RefreshBeforeAnyLoadUsesLastLibrary) {
    t->settings.lastLibrary = "Other.lib";
    ASSERT_TRUE(LoadLibrary(*t, library, false));
    EXPECT_EQ(library.nuclideList(), (Strings{"Mn-54"}));
}

TEST_F(LoadLibraryTest, UnreadableFileIsReportedAndTheLibraryStays) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "TREL.lib"));
    const auto missing = libraryFolder() / "Gone.lib";
    EXPECT_FALSE(loadLibraryFile(*t, library, missing));
    EXPECT_EQ(t.op.messages(), (Strings{"Cannot open file " + missing.string()}));
    EXPECT_EQ(library.fileName(), "TREL.lib");
    EXPECT_EQ(library.nuclideList().size(), 2u);
    EXPECT_EQ(t->settings.lastLibrary, "TREL.lib");
}

TEST_F(LoadLibraryTest, UnreadableYieldIsReportedAndTheLibraryStays) {
    ASSERT_TRUE(loadLibraryFile(*t, library, libraryFolder() / "TREL.lib"));
    t.writeAppFile("Library/Bad.lib",
                   "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
                   "Mn-54,11,312.29,days,Manganese,0,0\r\n"
                   "Mn-54,1,\"\",834.838,,1,1\r\n");
    EXPECT_FALSE(loadLibraryFile(*t, library, libraryFolder() / "Bad.lib"));
    EXPECT_EQ(t.op.messages(),
              (Strings{"advstrgrdRadiations.Cells[4,j] = \"\"", "'' is not a valid floating point value"}));
    EXPECT_EQ(library.fileName(), "TREL.lib");
    EXPECT_EQ(library.nuclideList().size(), 2u);
}

}  // namespace
}  // namespace mca
