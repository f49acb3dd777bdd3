// The library reader: separator detection, the quote rules, line ends and damaged rows.
#include "library/library_reader.h"

#include "core/errors.h"
#include "library/library_samples.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <fstream>

namespace mca {
namespace {

using testing::kSmallLibrary;
using testing::row;

std::string replaceAll(std::string text, char from, char to) {
    for (char& c : text) {
        if (c == from) c = to;
    }
    return text;
}

struct SeparatorCase {
    const char* name;
    std::string text;
    char expected;
};

class SeparatorDetection : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorDetection, PicksTheCandidateCountedAlikeInTheFirstTwoLines) {
    EXPECT_EQ(detectLibrarySeparator(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Library, SeparatorDetection,
    ::testing::Values(SeparatorCase{"Comma", "a,b,c\r\nd,e,f\r\n", ','},
                      SeparatorCase{"Semicolon", "a;b;c\r\nd;e;f\r\n", ';'},
                      SeparatorCase{"Hash", "a#b\r\nc#d\r\n", '#'},
                      SeparatorCase{"Tab", "a\tb\nc\td\n", '\t'},
                      SeparatorCase{"Bar", "a|b|c|d\r\ne|f|g|h\r\n", '|'},
                      SeparatorCase{"LargestEqualCountWins", "a;b,c;d;e\r\nf;g,h;i;j\r\n", ';'},
                      SeparatorCase{"TieGoesToTheEarlierCandidate", "a;b|c\r\nd;e|f\r\n", ';'},
                      SeparatorCase{"UnequalCountsLose", "a;b;c,d\r\ne;f,g\r\n", ','},
                      SeparatorCase{"OnlyLaterLinesAreIgnored", "a|b\r\nc|d\r\ne;f;g;h\r\n", '|'},
                      SeparatorCase{"OneLineIsJudgedAlone", "a;b;c", ';'},
                      SeparatorCase{"NothingMatchingReadsAsComma", "abc\r\ndef\r\n", ','},
                      SeparatorCase{"EmptyText", "", ','}),
    testing::caseName<SeparatorCase>);

struct QuoteCase {
    const char* name;
    std::string line;
    LibraryRow expected;
};

class QuoteRules : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteRules, ReadOneRow) {
    const LibraryTable table = readLibraryText(GetParam().line);
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0], GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Library, QuoteRules,
    ::testing::Values(
        QuoteCase{"EmptyQuotesAreAnEmptyCell", "a,\"\",c,d,e,f,g\r\n", row("a", "", "c", "d", "e", "f", "g")},
        QuoteCase{"QuotedCommaStaysInTheCell", "a,\"x, y\",c,d,e,f,g\r\n", row("a", "x, y", "c", "d", "e", "f", "g")},
        QuoteCase{"DoubledQuotesAreUndoubled", "a,\"say \"\"hi\"\", ok\",c,d,e,f,g\r\n",
                  row("a", "say \"hi\", ok", "c", "d", "e", "f", "g")},
        QuoteCase{"QuotedLineBreakStaysInTheCell", "a,\"one\r\ntwo\",c,d,e,f,g\r\n",
                  row("a", "one\r\ntwo", "c", "d", "e", "f", "g")},
        QuoteCase{"TextAfterTheClosingQuoteIsKept", "a,\"x\"y,c,d,e,f,g\r\n", row("a", "xy", "c", "d", "e", "f", "g")},
        QuoteCase{"QuoteInsideAPlainCellIsText", "a,5\" lead,c,d,e,f,g\r\n",
                  row("a", "5\" lead", "c", "d", "e", "f", "g")},
        QuoteCase{"UnclosedQuoteOpensNothing", "a,\"open,c,d,e,f,g\r\n", row("a", "\"open", "c", "d", "e", "f", "g")},
        QuoteCase{"ShortRowIsPadded", "a,b,c\r\n", row("a", "b", "c", "", "", "", "")},
        QuoteCase{"CellsPastTheSeventhAreDropped", "a,b,c,d,e,f,g,h,i\r\n", row("a", "b", "c", "d", "e", "f", "g")},
        QuoteCase{"LastLineWithoutLineEnd", "a,b,c,d,e,f,g", row("a", "b", "c", "d", "e", "f", "g")}),
    testing::caseName<QuoteCase>);

TEST(LibraryReader, ReadsTitleRowAndEveryLineInFileOrder) {
    const LibraryTable table = readLibraryText(kSmallLibrary);
    ASSERT_EQ(table.size(), 8u);
    EXPECT_EQ(table[0], libraryTitleRow());
    EXPECT_EQ(table[5], row("Cs-137", "1", "From Ba-137m, in equilibrium", "661.657", "84.99", "1", "1"));
    EXPECT_EQ(table[7], row("K-40", "1", "", "1460.822", "10.66", "1", "1"));
}

TEST(LibraryReader, SemicolonFileReadsTheSameAsCommaFile) {
    // The comment's comma is quoted and stays a comma.
    std::string semicolons = replaceAll(kSmallLibrary, ',', ';');
    const std::string comment = "Ba-137m; in";
    semicolons.replace(semicolons.find(comment), comment.size(), "Ba-137m, in");
    EXPECT_EQ(readLibraryText(semicolons), readLibraryText(kSmallLibrary));
}

TEST(LibraryReader, LineFeedEndsAndEmptyLinesReadLikeTheWrittenForm) {
    std::string unix;
    for (const char c : kSmallLibrary) {
        if (c != '\r') unix.push_back(c);
    }
    unix.insert(unix.find("Cs-137,11"), "\n\n");
    EXPECT_EQ(readLibraryText(unix), readLibraryText(kSmallLibrary));
}

TEST(LibraryReader, FileIsReadAsWindows1252) {
    testing::TempFolder folder;
    const auto path = folder.path() / "a.lib";
    std::ofstream(path, std::ios::binary) << "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
                                             "X,1,\xB5m and \xB1,1,2,1,1\r\n";
    const LibraryTable table = readLibraryFile(path);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[1][library_column::kComments], "µm and ±");
}

TEST(LibraryReader, MissingFileThrowsFileError) {
    testing::TempFolder folder;
    EXPECT_THROW(readLibraryFile(folder.path() / "none.lib"), FileError);
}

}  // namespace
}  // namespace mca
