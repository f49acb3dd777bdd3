// The comma-separated grid: the container, the exact bytes other tools read, and the reading of
// files written by the older quoting rules.
#include "core/csv_grid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace mca {
namespace {

// Parameterised cases are named by their own name field.
template <typename Case>
std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

namespace fs = std::filesystem;

using Rows = std::vector<std::vector<std::string>>;

Rows rowsOf(const Grid& grid) {
    Rows rows;
    for (int r = 0; r < grid.rowCount(); ++r) {
        rows.push_back(grid.row(r));
    }
    return rows;
}

class GridFile : public testing::Test {
protected:
    void SetUp() override {
        std::string name = (fs::temp_directory_path() / "csv_grid_test.XXXXXX").string();
        ASSERT_NE(::mkdtemp(name.data()), nullptr);
        m_folder = name;
    }
    void TearDown() override { fs::remove_all(m_folder); }

    fs::path file(const char* name) const { return m_folder / name; }

private:
    fs::path m_folder;
};

TEST(GridContainer, OutOfRangeReadsEmptyAndSetCellGrows) {
    Grid grid;
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.columnCount(), 0);
    EXPECT_EQ(grid.cell(0, 0), "");
    EXPECT_TRUE(grid.row(0).empty());

    grid.setCell(2, 1, "x");
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.cell(2, 1), "x");
    EXPECT_EQ(grid.cell(2, 5), "");
    EXPECT_EQ(grid.cell(-1, 0), "");
    EXPECT_EQ(grid.row(0).size(), 2u);
    EXPECT_THROW(grid.setCell(-1, 0, "y"), std::out_of_range);
}

TEST(GridContainer, RowsAlwaysHoldColumnCountCells) {
    Grid grid(1, 2);
    grid.appendRow({"a", "b", "c", "d"});
    EXPECT_EQ(grid.columnCount(), 4);
    EXPECT_EQ(grid.row(0), (std::vector<std::string>{"", "", "", ""}));
    grid.appendRow({"e"});
    EXPECT_EQ(grid.row(2), (std::vector<std::string>{"e", "", "", ""}));

    grid.resize(2, 3);
    EXPECT_EQ(rowsOf(grid), (Rows{{"", "", ""}, {"a", "b", "c"}}));
    grid.resize(-1, 5);
    EXPECT_EQ(grid.rowCount(), 0);
}

TEST(GridText, WritesEmptyCellsAsTwoQuotesOnCrLfLines) {
    Grid grid(3, 3);
    grid.setCell(0, 0, "Channel");
    grid.setCell(0, 1, "Counts");
    grid.setCell(1, 0, "12.0000");
    grid.setCell(2, 2, "x");
    EXPECT_EQ(writeGridText(grid), "Channel,Counts,\"\"\r\n12.0000,\"\",\"\"\r\n\"\",\"\",x\r\n");
    EXPECT_EQ(writeGridText(Grid()), "");
}

struct ReadCase {
    const char* name;
    std::string text;
    Rows rows;
};

const ReadCase kReadCases[] = {
    {"QuotedComma", "a,\"b,c\",d\r\n", {{"a", "b,c", "d"}}},
    {"TwoQuotesAreEmpty", "\"\"\r\n", {{""}}},
    {"MissingTrailingFields", "a,b,c\r\nd\r\n", {{"a", "b", "c"}, {"d", "", ""}}},
    {"LfOnlyLines", "a,b\nc,d\n", {{"a", "b"}, {"c", "d"}}},
    {"NoFinalLineEnd", "a,b\r\nc", {{"a", "b"}, {"c", ""}}},
    {"EmptyText", "", {}},
    {"EmptyLineIsOneEmptyField", "a\r\n\r\nb\r\n", {{"a"}, {""}, {"b"}}},
    {"TrailingComma", "a,\r\nb,", {{"a", ""}, {"b", ""}}},
    {"QuoteInsideUnquotedField", "5\" pipe,x\r\n", {{"5\" pipe", "x"}}},
    {"QuoteInsideQuotedField", "\"5\" pipe, steel\",x\r\n", {{"5\" pipe, steel", "x"}}},
    {"UnterminatedQuoteTakesRestOfLine", "\"abc,def\r\nx,y\r\n", {{"abc,def", ""}, {"x", "y"}}},
    {"QuotedLineBreakStaysInField", "\"x\ny\nz\",w\r\nv\r\n", {{"x\ny\nz", "w"}, {"v", ""}}},
    {"UnterminatedQuoteStaysInItsRow", "1,\"Soil 3\r\n2,\"\",\"\"\r\n", {{"1", "Soil 3", ""}, {"2", "", ""}}},
    {"LoneCrOutsideQuotesIsText", "a\rb,c\r\n", {{"a\rb", "c"}}},
    {"TextAfterClosingQuoteIsKept", "\"a\"\rb,c\r\n", {{"a\rb", "c"}}},
};

class GridReading : public testing::TestWithParam<ReadCase> {};

TEST_P(GridReading, ReadsRows) {
    EXPECT_EQ(rowsOf(readGridText(GetParam().text)), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Grid, GridReading, testing::ValuesIn(kReadCases), caseName<ReadCase>);

struct RoundTripCase {
    const char* name;
    std::string text;       // UTF-8 cell content
    std::string fileField;  // the field as it stands in the Windows-1252 file
    std::string readBack;
};

const RoundTripCase kRoundTrips[] = {
    {"Plain", "Ge detector", "Ge detector", "Ge detector"},
    {"Empty", "", "\"\"", ""},
    {"Comma", "1,5", "\"1,5\"", "1,5"},
    {"QuoteInside", "5\" pipe", "5\" pipe", "5\" pipe"},
    {"QuoteAtStart", "\"best\" fit", "\"\"best\" fit\"", "\"best\" fit"},
    {"OnlyAQuote", "\"", "\"\"\"", "\""},
    {"CommaAndQuote", "5\" pipe, steel", "\"5\" pipe, steel\"", "5\" pipe, steel"},
    {"LineFeed", "line1\nline2", "\"line1\nline2\"", "line1\nline2"},
    {"CrLfReducedToLf", "line1\r\nline2", "\"line1\nline2\"", "line1\nline2"},
    {"LoneCr", "a\rb", "\"a\rb\"", "a\rb"},
    {"Micro", "2\xC2\xB5s", "2\xB5s", "2\xC2\xB5s"},
    {"PlusMinus", "\xC2\xB1" "0.5 keV", "\xB1" "0.5 keV", "\xC2\xB1" "0.5 keV"},
    {"NoWindows1252Byte", "\xCE\xB1", "?", "?"},
};

class GridRoundTrip : public GridFile, public testing::WithParamInterface<RoundTripCase> {};

TEST_P(GridRoundTrip, SavesExactBytesAndLoadsBack) {
    const RoundTripCase& c = GetParam();
    Grid grid;
    grid.appendRow({"a", c.text, "b"});
    grid.appendRow({c.text});
    saveGridFile(file("grid.csv"), grid);

    const std::string expected = "a," + c.fileField + ",b\r\n" + c.fileField + ",\"\",\"\"\r\n";
    EXPECT_EQ(readFileBytes(file("grid.csv")), expected);
    EXPECT_EQ(rowsOf(loadGridFile(file("grid.csv"))), (Rows{{"a", c.readBack, "b"}, {c.readBack, "", ""}}));
}

INSTANTIATE_TEST_SUITE_P(Grid, GridRoundTrip, testing::ValuesIn(kRoundTrips), caseName<RoundTripCase>);

TEST_F(GridFile, MicroIsOneByteInTheFile) {
    Grid grid;
    grid.setCell(0, 0, "2\xC2\xB5s");
    saveGridFile(file("unit.csv"), grid);
    EXPECT_EQ(readFileBytes(file("unit.csv")), "\x32\xB5\x73\r\n");
}

TEST_F(GridFile, EmptyFileIsNoRowsAndMissingFileThrows) {
    saveGridFile(file("empty.csv"), Grid());
    EXPECT_EQ(readFileBytes(file("empty.csv")), "");
    EXPECT_EQ(loadGridFile(file("empty.csv")).rowCount(), 0);
    EXPECT_THROW(loadGridFile(file("missing.csv")), FileError);
    EXPECT_THROW(saveGridFile(file("missing") / "x.csv", Grid(1, 1)), FileError);
}

}  // namespace
}  // namespace mca
