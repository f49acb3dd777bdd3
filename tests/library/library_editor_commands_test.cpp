// The editor's Add Energy, Add Isotope, Kill Energy and Kill Isotope commands, and what mca reads
// from a library the editor wrote.
#include "library_editor_fixture.h"

#include "library/library_edits.h"
#include "library/load_library.h"

namespace mca {
namespace {

using testing::LibraryEditorTest;
using testing::row;
using Strings = std::vector<std::string>;
using namespace library_column;

const AddNuclideInput kNa22{"na-22", "Sodium", "2.6018", "years", "1274.537", "99.94", ""};

TEST_F(LibraryEditorTest, AddLineInsertsADisabledLineInEnergyOrder) {
    ASSERT_TRUE(editor.addLine({"1250", "0.5", "Made up, for the test"}));
    EXPECT_EQ(energies(), (Strings{"1173.228", "1250", "1332.492", "2505.7"}));
    EXPECT_EQ(editor.rawTable()[3], row("Co-60", "0", "Made up, for the test", "1250", "0.5", "0", "0"));
    EXPECT_EQ(editor.rawTable()[6][kName], "Cs-137");
    EXPECT_TRUE(editor.isModified());
}

struct BadLineCase {
    const char* name;
    AddLineInput input;
};

class AddLineRefusal : public LibraryEditorTest, public ::testing::WithParamInterface<BadLineCase> {};

TEST_P(AddLineRefusal, RefusedWithTheMessageAndNothingChanges) {
    const LibraryTable before = editor.rawTable();
    EXPECT_FALSE(editor.addLine(GetParam().input));
    EXPECT_EQ(op.messages(), (Strings{"Energy and Yield must contain non-zero positive numbers to add to library!"}));
    EXPECT_EQ(editor.rawTable(), before);
    EXPECT_FALSE(editor.isModified());
}

INSTANTIATE_TEST_SUITE_P(LibraryEditor, AddLineRefusal,
                         ::testing::Values(BadLineCase{"EmptyEnergy", {"", "5", ""}},
                                           BadLineCase{"ZeroYield", {"100", "0", ""}},
                                           BadLineCase{"NegativeEnergy", {"-100", "5", ""}},
                                           BadLineCase{"NotANumber", {"abc", "5", ""}},
                                           BadLineCase{"YieldBeyondTheField", {"100", "1000001", ""}}),
                         testing::caseName<BadLineCase>);

TEST_F(LibraryEditorTest, AddNuclideUpperCasesAndPlacesItBetweenItsNeighbours) {
    ASSERT_TRUE(editor.addNuclide(kNa22));
    EXPECT_EQ(names(), (Strings{"Nuclide", "Co-60", "Co-60", "Co-60", "Co-60", "Cs-137", "Cs-137", "K-40", "K-40",
                                "Na-22", "Na-22"}));
    EXPECT_EQ(editor.rawTable()[9], row("Na-22", "10", "2.6018", "years", "Sodium", "0", "0"));
    EXPECT_EQ(editor.rawTable()[10], row("Na-22", "1", "", "1274.537", "99.94", "1", "1"));
    EXPECT_EQ(editor.shownName(), "Na-22");
    EXPECT_EQ(editor.nuclideEntries().back(), "Na-22");
    EXPECT_TRUE(editor.isModified());

    ASSERT_TRUE(editor.addNuclide({"ba-133", "Barium", "10.537", "years", "356.0129", "62.05", ""}));
    EXPECT_EQ(editor.nuclideEntries(), (Strings{"Ba-133", "*Co-60", "*Cs-137", "K-40", "Na-22"}));
    EXPECT_EQ(editor.selectedEntry(), 0);
}

struct PlaceCase {
    const char* name;
    std::string library;
    std::string added;
    Strings order;
};

class NuclidePlacement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(NuclidePlacement, ByteOrderBeforeEffAndNeverSplittingTheLastBlock) {
    LibraryTable raw = readLibraryText(GetParam().library);
    insertNuclide(raw, {GetParam().added, "E", "1", "days", "100", "1", ""});
    Strings order;
    for (std::size_t r = 1; r < raw.size(); ++r) {
        if (isNuclideLine(raw[r])) order.push_back(raw[r][kName]);
        EXPECT_EQ(raw[r][kName], raw[r - (isNuclideLine(raw[r]) ? 0 : 1)][kName]) << "block split at row " << r;
    }
    EXPECT_EQ(order, GetParam().order);
}

const std::string kTitle = "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n";
const std::string kTwo = kTitle +
                         "B,11,1,days,b,0,0\r\nB,1,\"\",1,1,1,1\r\n"
                         "D,11,1,days,d,0,0\r\nD,1,\"\",1,1,1,1\r\nD,1,\"\",2,1,0,0\r\n";
const std::string kWithEff = kTwo + "Eff,10,1,days,e,0,0\r\nEff,1,\"\",1,1,1,1\r\n";

INSTANTIATE_TEST_SUITE_P(
    LibraryEditor, NuclidePlacement,
    ::testing::Values(PlaceCase{"EmptyLibraryRightAfterTitle", kTitle, "A", {"A"}},
                      PlaceCase{"First", kTwo, "A", {"A", "B", "D"}},
                      PlaceCase{"Between", kTwo, "C", {"B", "C", "D"}},
                      PlaceCase{"AfterTheLastBlockWhole", kTwo, "Z", {"B", "D", "Z"}},
                      PlaceCase{"UpperCaseSortsBeforeLowerCase", kTwo, "a", {"B", "D", "a"}},
                      PlaceCase{"BeforeEff", kWithEff, "Z", {"B", "D", "Z", "Eff"}},
                      PlaceCase{"EffItselfGoesLast", kTwo, "Eff", {"B", "D", "Eff"}}),
    testing::caseName<PlaceCase>);

TEST_F(LibraryEditorTest, ExistingAbbreviationIsRefused) {
    EXPECT_FALSE(editor.addNuclide({"cs-137", "Cesium", "30", "years", "661.657", "85", ""}));
    EXPECT_EQ(op.messages(),
              (Strings{"There is already an isotope with this abbreviation.  You should either change the isotope "
                       "abbreviation or edit the existing one."}));
    EXPECT_EQ(editor.rawTable().size(), 9u);
}

struct IncompleteCase {
    const char* name;
    AddNuclideInput input;
};

class AddNuclideRefusal : public LibraryEditorTest, public ::testing::WithParamInterface<IncompleteCase> {};

TEST_P(AddNuclideRefusal, RefusedWithTheMessage) {
    EXPECT_FALSE(editor.addNuclide(GetParam().input));
    EXPECT_EQ(op.messages(), (Strings{"Isotope Abbreviation, Element Name, Half Life (and Units), Energy and Yield "
                                      "must be filled out to add to library!"}));
    EXPECT_EQ(editor.rawTable().size(), 9u);
}

INSTANTIATE_TEST_SUITE_P(
    LibraryEditor, AddNuclideRefusal,
    ::testing::Values(IncompleteCase{"NoAbbreviation", {" ", "Sodium", "2.6", "years", "1274.5", "99.9", ""}},
                      IncompleteCase{"NoElement", {"Na-22", "", "2.6", "years", "1274.5", "99.9", ""}},
                      IncompleteCase{"NoUnit", {"Na-22", "Sodium", "2.6", "", "1274.5", "99.9", ""}},
                      IncompleteCase{"ZeroHalfLife", {"Na-22", "Sodium", "0", "years", "1274.5", "99.9", ""}},
                      IncompleteCase{"NoEnergy", {"Na-22", "Sodium", "2.6", "years", "", "99.9", ""}},
                      IncompleteCase{"ZeroYield", {"Na-22", "Sodium", "2.6", "years", "1274.5", "0", ""}}),
    testing::caseName<IncompleteCase>);

TEST_F(LibraryEditorTest, OnlyLineCannotBeDeleted) {
    editor.selectEntry(1);
    EXPECT_FALSE(editor.deleteLine(0));
    EXPECT_EQ(op.messages(), (Strings{"This is the only energy associated with this nuclide.  To delete, use the "
                                      "''Kill Isotope'' button instead."}));
    EXPECT_TRUE(op.questions().empty());
    EXPECT_EQ(editor.rawTable().size(), 9u);
}

TEST_F(LibraryEditorTest, DeleteLineAsksAndNoKeepsTheLine) {
    op.answers.push_back(Answer::No);
    EXPECT_FALSE(editor.deleteLine(1));
    EXPECT_EQ(op.questions(), (Strings{"This will permanantly delete the Co-60 line at 1332.492 keV from the library.  "
                                       "Are you sure you want to do this?"}));
    EXPECT_EQ(editor.lineTable().size(), 3u);
    EXPECT_FALSE(editor.isModified());
}

struct RoleMoveCase {
    const char* name;
    int primaryLine;    // chosen before the deletion
    int deleted;
    Strings energies;   // after
    int heir;           // line that holds the role afterwards
};

class DeleteLineRoles : public LibraryEditorTest, public ::testing::WithParamInterface<RoleMoveCase> {};

TEST_P(DeleteLineRoles, PrimaryRoleAndEnabledStateMoveOn) {
    const RoleMoveCase& c = GetParam();
    editor.selectPrimary(c.primaryLine);
    editor.setLineUse(2, false);
    op.answers.push_back(Answer::Yes);
    ASSERT_TRUE(editor.deleteLine(c.deleted));
    EXPECT_EQ(energies(), c.energies);
    for (int i = 0; i < static_cast<int>(editor.lineTable().size()); ++i) {
        const LineTableRow& line = editor.lineTable()[static_cast<std::size_t>(i)];
        EXPECT_EQ(line.primary, i == c.heir) << "line " << i;
        EXPECT_EQ(editor.rawTable()[static_cast<std::size_t>(2 + i)][kPrimary], i == c.heir ? "1" : "0");
    }
    EXPECT_TRUE(editor.lineTable()[static_cast<std::size_t>(c.heir)].use);
    EXPECT_EQ(editor.rawTable()[static_cast<std::size_t>(2 + c.heir)][kUse], "1");
}

INSTANTIATE_TEST_SUITE_P(
    LibraryEditor, DeleteLineRoles,
    ::testing::Values(RoleMoveCase{"ToTheNextLine", 1, 1, {"1173.228", "2505.7"}, 1},
                      RoleMoveCase{"FromTheFirstToTheNext", 0, 0, {"1332.492", "2505.7"}, 0},
                      RoleMoveCase{"FromTheLastToThePrevious", 2, 2, {"1173.228", "1332.492"}, 1}),
    testing::caseName<RoleMoveCase>);

TEST_F(LibraryEditorTest, LineThatIsBothPrimaryAndSecondaryHandsOnBoth) {
    editor.selectSecondary(1);
    op.answers.push_back(Answer::Yes);
    ASSERT_TRUE(editor.deleteLine(1));
    const LineTableRow& heir = editor.lineTable()[1];
    EXPECT_EQ(heir.energy, "2505.7");
    EXPECT_TRUE(heir.primary && heir.secondary && heir.use);
    EXPECT_FALSE(editor.lineTable()[0].primary || editor.lineTable()[0].secondary);
}

struct DeleteNuclideCase {
    const char* name;
    int selected;
    Strings entries;
    int selectedAfter;
};

class DeleteNuclide : public LibraryEditorTest, public ::testing::WithParamInterface<DeleteNuclideCase> {};

TEST_P(DeleteNuclide, RemovesTheBlockAndSelectsTheNeighbour) {
    const DeleteNuclideCase& c = GetParam();
    editor.selectEntry(c.selected);
    const std::string name = editor.shownName();
    op.answers.push_back(Answer::Yes);
    ASSERT_TRUE(editor.deleteNuclide());
    EXPECT_EQ(op.questions(), (Strings{"This will permanantly delete " + name +
                                       " from the library, including all radiation data.  Are you sure you want to "
                                       "do this?"}));
    EXPECT_EQ(editor.nuclideEntries(), c.entries);
    EXPECT_EQ(editor.selectedEntry(), c.selectedAfter);
    for (const std::string& n : names()) EXPECT_NE(n, name);
}

INSTANTIATE_TEST_SUITE_P(LibraryEditor, DeleteNuclide,
                         ::testing::Values(DeleteNuclideCase{"First", 0, {"*Cs-137", "K-40"}, 0},
                                           DeleteNuclideCase{"Middle", 1, {"*Co-60", "K-40"}, 1},
                                           DeleteNuclideCase{"LastSelectsTheOneBefore", 2, {"*Co-60", "*Cs-137"}, 1}),
                         testing::caseName<DeleteNuclideCase>);

TEST_F(LibraryEditorTest, DeletingEveryNuclideLeavesNothingShown) {
    for (int i = 0; i < 3; ++i) {
        op.answers.push_back(Answer::Yes);
        ASSERT_TRUE(editor.deleteNuclide());
    }
    EXPECT_EQ(editor.selectedEntry(), -1);
    EXPECT_TRUE(editor.lineTable().empty());
    EXPECT_FALSE(editor.deleteNuclide());
    EXPECT_EQ(editor.rawTable(), LibraryTable{libraryTitleRow()});
    ASSERT_TRUE(editor.addNuclide(kNa22));
    EXPECT_EQ(editor.rawTable().size(), 3u);
}

TEST_F(LibraryEditorTest, NoToDeleteNuclideKeepsIt) {
    op.answers.push_back(Answer::No);
    EXPECT_FALSE(editor.deleteNuclide());
    EXPECT_EQ(editor.nuclideEntries().size(), 3u);
}

TEST_F(LibraryEditorTest, SavedLibraryReadsBackToTheSameRawTable) {
    editor.addNuclide(kNa22);
    editor.addLine({"511", "179.8", "Annihilation, any positron emitter"});
    editor.editCell(0, LineColumn::Comments, "");
    editor.selectEntry(0);
    editor.editCell(2, LineColumn::Comments, "Say \"sum\"");
    editor.insertLine(3);
    const auto target = folder.path() / "RoundTrip.lib";
    ASSERT_TRUE(editor.saveFile(target));
    EXPECT_EQ(readLibraryFile(target), editor.rawTable());
}

TEST_F(LibraryEditorTest, NewNuclideStaysOutOfMcaUntilEnabledAndSaved) {
    editor.addNuclide(kNa22);
    ASSERT_TRUE(editor.saveFile(file));
    NuclideLibrary library;
    ASSERT_TRUE(loadLibraryFile(library, file, folder.path(), op));
    EXPECT_EQ(library.findSearchRow("Na-22"), nullptr);

    editor.setEnabled(true);
    ASSERT_TRUE(editor.saveFile(file));
    ASSERT_TRUE(LoadLibrary(library, false, folder.path(), op));
    const SearchRow* na = library.findSearchRow("Na-22");
    ASSERT_NE(na, nullptr);
    EXPECT_EQ(na->primaryEnergy, "1274.537");
    EXPECT_EQ(na->secondaryEnergy, "1274.537");
    EXPECT_TRUE(op.messages().empty());
}

}  // namespace
}  // namespace mca
