// The editing model: files, the nuclide list, showing a nuclide, the nuclide's fields and the
// line table's edits.
#include "library_editor_fixture.h"

#include "core/atomic_file.h"

namespace mca {
namespace {

using testing::LibraryEditorTest;
using Strings = std::vector<std::string>;
using namespace library_column;

TEST_F(LibraryEditorTest, OpeningShowsTheFirstNuclide) {
    EXPECT_TRUE(editor.isOpen());
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(editor.filePath(), file);
    EXPECT_EQ(editor.nuclideEntries(), (Strings{"*Co-60", "*Cs-137", "K-40"}));
    EXPECT_EQ(editor.selectedEntry(), 0);
    EXPECT_EQ(editor.nuclideRow(), 1);
    ASSERT_EQ(editor.lineTable().size(), 3u);
    const LineTableRow& first = editor.lineTable()[0];
    EXPECT_EQ(first, (LineTableRow{"Co-60", true, false, true, "1173.228", "99.85", ""}));
    EXPECT_FALSE(editor.lineTable()[2].use);
    EXPECT_EQ(editor.fields().element, "Cobalt");
    EXPECT_EQ(editor.fields().halfLife, "5.2711");
    EXPECT_EQ(editor.fields().halfLifeUnit, "years");
    EXPECT_TRUE(editor.fields().enabled);
}

TEST_F(LibraryEditorTest, NothingIsEditableBeforeALibraryIsOpen) {
    testing::ScriptedOperator quiet;
    LibraryEditor fresh(quiet, folder.path());
    EXPECT_FALSE(fresh.isOpen());
    EXPECT_EQ(fresh.selectedEntry(), -1);
    EXPECT_FALSE(fresh.addNuclide({"Na-22", "Sodium", "2.6", "years", "1274.5", "99.9", ""}));
    EXPECT_FALSE(fresh.addLine({"1", "1", ""}));
    EXPECT_FALSE(fresh.saveFile(folder.path() / "x.lib"));
    EXPECT_TRUE(quiet.transcript().empty());
}

TEST_F(LibraryEditorTest, OpenDialogStartsInTheLibraryFolder) {
    op.fileChoices.push_back(std::nullopt);
    EXPECT_FALSE(editor.open());
    ASSERT_EQ(op.transcript().size(), 1u);
    EXPECT_EQ(op.transcript()[0].text, folder.path().string());
    EXPECT_TRUE(editor.isOpen());
}

TEST_F(LibraryEditorTest, UnreadableFileIsReportedAndTheTableStays) {
    editor.setEnabled(false);
    const auto missing = folder.path() / "missing.lib";
    EXPECT_FALSE(editor.openFile(missing));
    EXPECT_EQ(op.messages(), (Strings{"Cannot open file " + missing.string()}));
    EXPECT_EQ(editor.filePath(), file);
    EXPECT_TRUE(editor.isModified());
}

TEST_F(LibraryEditorTest, SelectingAnEntryShowsThatNuclide) {
    editor.selectEntry(2);
    EXPECT_EQ(editor.shownName(), "K-40");
    EXPECT_EQ(editor.nuclideRow(), 7);
    EXPECT_EQ(energies(), (Strings{"1460.822"}));
    EXPECT_FALSE(editor.fields().enabled);
    editor.selectEntry(3);
    EXPECT_EQ(editor.shownName(), "K-40");
}

TEST_F(LibraryEditorTest, EnablingAndDisablingWriteTheUseCellAndTheListMark) {
    editor.selectEntry(2);
    editor.setEnabled(true);
    EXPECT_EQ(editor.rawTable()[7][kUse], "11");
    EXPECT_EQ(editor.nuclideEntries()[2], "*K-40");
    editor.selectEntry(0);
    editor.setEnabled(false);
    EXPECT_EQ(editor.rawTable()[1][kUse], "10");
    EXPECT_EQ(editor.nuclideEntries()[0], "Co-60");
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(editor.closeCaption(), "&Cancel");
}

TEST_F(LibraryEditorTest, NuclideFieldsChangeOnlyWhileEditingIsAllowed) {
    EXPECT_FALSE(editor.setElement("Kobalt"));
    EXPECT_EQ(editor.fields().element, "Cobalt");
    editor.setAllowNuclideEdit(true);
    EXPECT_TRUE(editor.setElement("Kobalt"));
    EXPECT_TRUE(editor.setHalfLife("1925.28"));
    EXPECT_TRUE(editor.setHalfLifeUnit("days"));
    EXPECT_EQ(editor.rawTable()[1], testing::row("Co-60", "11", "1925.28", "days", "Kobalt", "0", "0"));
    EXPECT_FALSE(editor.setHalfLife("long"));
    EXPECT_FALSE(editor.setHalfLifeUnit("weeks"));
    EXPECT_EQ(editor.fields().halfLife, "1925.28");
    EXPECT_EQ(op.beeps(), 1);
}

TEST_F(LibraryEditorTest, NumberColumnsTakeOnlyNumberKeys) {
    for (const char32_t key : {U'7', U'.', U'-', U'+', U'e', U'E', U'\b', U'\r'}) {
        EXPECT_TRUE(editor.acceptsKey(LineColumn::Energy, key));
    }
    EXPECT_FALSE(editor.acceptsKey(LineColumn::Yield, U'x'));
    EXPECT_FALSE(editor.acceptsKey(LineColumn::Energy, U','));
    EXPECT_EQ(op.beeps(), 2);
    EXPECT_TRUE(editor.acceptsKey(LineColumn::Comments, U'x'));
}

TEST_F(LibraryEditorTest, ValidEditSortsByEnergyAndWritesEveryRowBack) {
    ASSERT_TRUE(editor.editCell(0, LineColumn::Energy, "1400"));
    EXPECT_EQ(energies(), (Strings{"1332.492", "1400", "2505.7"}));
    EXPECT_EQ(editor.rawTable()[2], testing::row("Co-60", "1", "", "1332.492", "99.9826", "1", "0"));
    EXPECT_EQ(editor.rawTable()[3], testing::row("Co-60", "1", "", "1400", "99.85", "0", "1"));
    EXPECT_TRUE(editor.isModified());
    ASSERT_TRUE(editor.editCell(2, LineColumn::Comments, "Coincidence sum, not a line"));
    EXPECT_EQ(editor.rawTable()[4][kComments], "Coincidence sum, not a line");
}

TEST_F(LibraryEditorTest, EnergyOrYieldThatIsNoNumberIsRefusedAndTheCellKept) {
    EXPECT_FALSE(editor.editCell(1, LineColumn::Yield, "1e"));
    EXPECT_FALSE(editor.editCell(1, LineColumn::Energy, ""));
    EXPECT_EQ(op.messages(), (Strings{"Value must be a number!", "Value must be a number!"}));
    EXPECT_EQ(op.beeps(), 2);
    EXPECT_EQ(editor.lineTable()[1].yield, "99.9826");
    EXPECT_EQ(editor.rawTable()[3][kYield], "99.9826");
    EXPECT_EQ(editor.rawTable()[3][kEnergy], "1332.492");
    EXPECT_FALSE(editor.isModified());
}

TEST_F(LibraryEditorTest, UseCheckBoxWritesTheUseCellAtOnce) {
    editor.setLineUse(2, true);
    EXPECT_EQ(editor.rawTable()[4][kUse], "1");
    editor.setLineUse(0, false);
    EXPECT_EQ(editor.rawTable()[2][kUse], "0");
    EXPECT_TRUE(editor.isModified());
}

struct RoleCase {
    const char* name;
    bool primary;
    int line;
    std::vector<std::string> message;
};

class RoleSelection : public LibraryEditorTest, public ::testing::WithParamInterface<RoleCase> {};

TEST_P(RoleSelection, ChosenLineTakesTheRoleFromEveryOtherRow) {
    const RoleCase& c = GetParam();
    const int column = c.primary ? kPrimary : kSecondary;
    c.primary ? editor.selectPrimary(c.line) : editor.selectSecondary(c.line);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(editor.rawTable()[static_cast<std::size_t>(r)][static_cast<std::size_t>(column)],
                  r == 2 + c.line ? "1" : "0")
            << "row " << r;
    }
    EXPECT_EQ(editor.rawTable()[static_cast<std::size_t>(2 + c.line)][kUse], "1");
    EXPECT_TRUE(editor.lineTable()[static_cast<std::size_t>(c.line)].use);
    EXPECT_EQ(op.messages(), c.message);
    EXPECT_EQ(editor.rawTable()[5][static_cast<std::size_t>(column)], "0");  // Cs-137's line keeps its own
    EXPECT_EQ(editor.rawTable()[6][static_cast<std::size_t>(column)], "1");
}

INSTANTIATE_TEST_SUITE_P(
    LibraryEditor, RoleSelection,
    ::testing::Values(RoleCase{"PrimaryOnEnabledLine", true, 0, {}},
                      RoleCase{"SecondaryOnEnabledLine", false, 1, {}},
                      RoleCase{"PrimaryOnDisabledLineEnablesIt", true, 2, {"Line must be enabled to set as primary."}},
                      RoleCase{"SecondaryOnDisabledLineEnablesIt", false, 2,
                               {"Line must be enabled to set as secondary."}}),
    testing::caseName<RoleCase>);

TEST_F(LibraryEditorTest, InsertedRowIsANewDisabledLineOfTheNuclide) {
    editor.insertLine(1);
    EXPECT_EQ(editor.rawTable()[3], testing::row("Co-60", "0", "", "", "", "0", "0"));
    EXPECT_EQ(editor.lineTable().size(), 4u);
    EXPECT_EQ(editor.lineTable()[1], (LineTableRow{"Co-60", false, false, false, "", "", ""}));
    editor.insertLine(4);
    EXPECT_EQ(editor.rawTable()[6][kName], "Co-60");
    EXPECT_EQ(editor.lineTable().size(), 5u);
    // The typed energy puts the new line in its place; the other new row stays last.
    ASSERT_TRUE(editor.editCell(1, LineColumn::Energy, "2000"));
    EXPECT_EQ(energies(), (Strings{"1173.228", "1332.492", "2000", "2505.7", ""}));
}

TEST_F(LibraryEditorTest, DeletedTableRowDeletesItsRawRow) {
    editor.deleteTableRow(2);
    EXPECT_EQ(names(), (Strings{"Nuclide", "Co-60", "Co-60", "Co-60", "Cs-137", "Cs-137", "K-40", "K-40"}));
    EXPECT_EQ(energies(), (Strings{"1173.228", "1332.492"}));
    EXPECT_TRUE(editor.isModified());
}

TEST_F(LibraryEditorTest, SaveWritesTheRawTableAndClearsTheModifiedFlag) {
    editor.setLineUse(2, true);
    const auto target = folder.path() / "Saved.lib";
    op.fileChoices.push_back(target.string());
    ASSERT_TRUE(editor.save());
    EXPECT_EQ(op.transcript().front().text, folder.path().string());
    EXPECT_FALSE(editor.isModified());
    EXPECT_EQ(editor.closeCaption(), "&Close");
    EXPECT_EQ(editor.filePath(), target);
    EXPECT_EQ(readLibraryFile(target), editor.rawTable());
}

TEST_F(LibraryEditorTest, UnwritableFileIsReportedAndStaysModified) {
    editor.setLineUse(2, true);
    const auto target = folder.path() / "no such folder" / "x.lib";
    EXPECT_FALSE(editor.saveFile(target));
    EXPECT_EQ(op.messages(), (Strings{"Cannot create file " + target.string()}));
    EXPECT_TRUE(editor.isModified());
    EXPECT_EQ(editor.filePath(), file);
}

TEST_F(LibraryEditorTest, UnmodifiedLibraryClosesWithoutAQuestion) {
    EXPECT_TRUE(editor.requestClose());
    EXPECT_TRUE(op.questions().empty());
}

struct CloseCase {
    const char* name;
    std::vector<Answer> answers;
    std::optional<std::string> saveChoice;
    bool closes;
    bool saved;
};

class CloseQuestion : public LibraryEditorTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQuestion, AskedWithUnsavedChanges) {
    const CloseCase& c = GetParam();
    editor.setLineUse(2, true);
    op.answers.assign(c.answers.begin(), c.answers.end());
    op.fileChoices.push_back(c.saveChoice);
    EXPECT_EQ(editor.requestClose(), c.closes);
    EXPECT_EQ(op.questions(), (Strings{"Changes made to the library have not been saved.  Save them now?"}));
    EXPECT_EQ(editor.isModified(), !c.saved);
    EXPECT_EQ(readFileBytes(file) != testing::kEditorLibrary, c.saved);
}

INSTANTIATE_TEST_SUITE_P(LibraryEditor, CloseQuestion,
                         ::testing::Values(CloseCase{"NoClosesWithoutSaving", {Answer::No}, std::nullopt, true, false},
                                           CloseCase{"YesSavesAndCloses", {Answer::Yes}, "Test.lib", true, true},
                                           CloseCase{"YesButCancelledSaveStaysOpen", {Answer::Yes}, std::nullopt,
                                                     false, false}),
                         testing::caseName<CloseCase>);

TEST_F(LibraryEditorTest, RawTableIsShownAndHiddenOnRequest) {
    EXPECT_FALSE(editor.rawTableVisible());
    editor.toggleRawTable();
    EXPECT_TRUE(editor.rawTableVisible());
}

}  // namespace
}  // namespace mca
