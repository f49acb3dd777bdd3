// The library writer's cell rules, and round trips through the reader.
#include "library/library_writer.h"

#include "core/atomic_file.h"
#include "core/errors.h"
#include "library/library_reader.h"
#include "library/library_samples.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::kSmallLibrary;
using testing::row;

struct CellCase {
    const char* name;
    std::string cell;
    std::string written;
};

class CellRules : public ::testing::TestWithParam<CellCase> {};

TEST_P(CellRules, WriteTheCellAndReadItBack) {
    const LibraryTable table{row("X", "1", GetParam().cell, "1", "2", "1", "1")};
    const std::string text = writeLibraryText(table);
    EXPECT_EQ(text, "X,1," + GetParam().written + ",1,2,1,1\r\n");
    EXPECT_EQ(readLibraryText(text), table);
}

INSTANTIATE_TEST_SUITE_P(
    Library, CellRules,
    ::testing::Values(CellCase{"Plain", "Cascade line", "Cascade line"},
                      CellCase{"EmptyIsTwoQuotes", "", "\"\""},
                      CellCase{"CommaIsQuoted", "From Ba-137m, in equilibrium", "\"From Ba-137m, in equilibrium\""},
                      CellCase{"LineBreakIsQuoted", "one\r\ntwo", "\"one\r\ntwo\""},
                      CellCase{"BareLineFeedIsQuoted", "one\ntwo", "\"one\ntwo\""},
                      CellCase{"QuotesInsideAQuotedCellAreDoubled", "a \"b\", c", "\"a \"\"b\"\", c\""},
                      CellCase{"QuoteInsideAPlainCellStaysAsItIs", "5\" lead", "5\" lead"},
                      CellCase{"LeadingQuoteIsQuotedSoItReadsBack", "\"approx\" value", "\"\"\"approx\"\" value\""},
                      CellCase{"OtherSeparatorsNeedNoQuotes", "a;b#c|d", "a;b#c|d"}),
    testing::caseName<CellCase>);

TEST(LibraryWriter, WritesTheReadFileByteForByte) {
    EXPECT_EQ(writeLibraryText(readLibraryText(kSmallLibrary)), kSmallLibrary);
}

TEST(LibraryWriter, EmptyCommentIsWrittenAsTwoQuotesAndReadsBackEmpty) {
    const std::string text = writeLibraryText({libraryTitleRow(), row("K-40", "1", "", "1460.822", "10.66", "1", "1")});
    EXPECT_NE(text.find("K-40,1,\"\",1460.822"), std::string::npos);
    EXPECT_EQ(readLibraryText(text)[1][library_column::kComments], "");
}

TEST(LibraryWriter, FileIsWindows1252WithCrLf) {
    testing::TempFolder folder;
    const auto path = folder.path() / "w.lib";
    writeLibraryFile(path, {row("X", "1", "µ ±", "1", "2", "1", "1")});
    EXPECT_EQ(readFileBytes(path), "X,1,\xB5 \xB1,1,2,1,1\r\n");
}

TEST(LibraryWriter, UnwritablePlaceThrowsAndLeavesNothing) {
    testing::TempFolder folder;
    const auto path = folder.path() / "missing" / "w.lib";
    EXPECT_THROW(writeLibraryFile(path, {libraryTitleRow()}), FileError);
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace mca
