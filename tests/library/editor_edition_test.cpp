// nuclida's editions, its version line and its Library folder.
#include "library/editor_edition.h"

#include "core/errors.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mca {
namespace {

TEST(EditorEdition, TitlesNameTheEditions) {
    EXPECT_EQ(editorEditionFromTitle("VORA-II Library Editor")->kind, EditionKind::Vora);
    EXPECT_EQ(editorEditionFromTitle("TREL Library Editor")->kind, EditionKind::Trel);
    EXPECT_EQ(editorEditionFromTitle("OSKA Library Editor")->kind, EditionKind::Oska);
    EXPECT_FALSE(editorEditionFromTitle("TREL MCA"));
}

TEST(EditorEdition, ProgramFileIsTheOneMcaStarts) {
    for (const Edition& e : editionTable()) {
        EXPECT_EQ(editorEditionFor(e.kind).programFile, e.libraryEditorProgram) << e.applicationTitle;
    }
    EXPECT_EQ(editorEditionFor(EditionKind::Trel).programFile, "TREL_nuclida");
}

TEST(EditorEdition, VersionLine) { EXPECT_EQ(editorVersionLine("1.4.0.27"), "Interface Version 1.4.0.27"); }

TEST(EditorEdition, LibraryFolderIsMadeWhenMissing) {
    testing::TempFolder folder;
    EXPECT_EQ(createEditorLibraryFolder(folder.path()), folder.path() / "Library");
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "Library"));
    EXPECT_NO_THROW(createEditorLibraryFolder(folder.path()));
}

TEST(EditorEdition, FolderThatCannotBeMadeNamesItself) {
    testing::TempFolder folder;
    std::ofstream(folder.path() / "Library") << "a file in the way";
    try {
        createEditorLibraryFolder(folder.path());
        FAIL() << "no error";
    } catch (const StartupError& e) {
        EXPECT_EQ(std::string(e.what()), (folder.path() / "Library").string());
    }
}

}  // namespace
}  // namespace mca
