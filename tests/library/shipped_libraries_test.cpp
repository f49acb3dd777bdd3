// The default libraries in data/Library: they load without a message, are written in exactly the
// form the editor writes, hold the nuclides the analyses expect, and carry the figures of the
// shared nuclide table they were made from.
#include "core/atomic_file.h"
#include "core/number_text.h"
#include "library/library_reader.h"
#include "library/library_writer.h"
#include "library/load_library.h"
#include "support/test_workstation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace mca {
namespace {

using Strings = std::vector<std::string>;
using namespace library_column;

const std::filesystem::path kShipped = std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "data" / "Library";

const Strings kFiles{"TREL.lib", "VORALib.lib", "OSKA.lib"};

const Strings kRequired{"Am-241", "Ba-133", "Be-7",   "Bi-214", "Pb-214", "Co-57",  "Co-60",  "Cs-134",
                        "Cs-137", "Eu-152", "I-131",  "K-40",   "Mn-54",  "Na-22",  "Tl-208", "Ac-228",
                        "Pb-212", "U-235",  "Th-234", "Zn-65",  "Y-88",   "Cd-109", "Ir-192", "Tc-99m"};

const std::set<std::string> kEnabled{"Ac-228", "Am-241", "Ba-133", "Bi-214", "Co-57",  "Co-60",
                                     "Cs-134", "Cs-137", "Eu-152", "I-131",  "Ir-192", "K-40",
                                     "Mn-54",  "Na-22",  "Pb-212", "Pb-214", "Tl-208", "Y-88"};

LibraryTable shippedTable() { return readLibraryFile(kShipped / "TREL.lib"); }

TEST(ShippedLibraries, EveryEditionHasTheSameFile) {
    const std::string first = readFileBytes(kShipped / kFiles[0]);
    for (const std::string& name : kFiles) EXPECT_EQ(readFileBytes(kShipped / name), first) << name;
}

TEST(ShippedLibraries, WrittenExactlyAsTheWriterWritesThem) {
    const std::string bytes = readFileBytes(kShipped / "TREL.lib");
    testing::TempFolder folder;
    writeLibraryFile(folder.path() / "again.lib", readLibraryText(bytes));
    EXPECT_EQ(readFileBytes(folder.path() / "again.lib"), bytes);
}

TEST(ShippedLibraries, LoadWithoutMessages) {
    for (const std::string& name : kFiles) {
        testing::ScriptedOperator op;
        NuclideLibrary library;
        ASSERT_TRUE(loadLibraryFile(library, name, kShipped, op)) << name;
        EXPECT_TRUE(op.transcript().empty()) << name;
        EXPECT_EQ(std::set<std::string>(library.nuclideList().begin(), library.nuclideList().end()), kEnabled);
    }
}

TEST(ShippedLibraries, BlocksAreWellFormedAndInByteOrder) {
    const LibraryTable table = shippedTable();
    ASSERT_EQ(table[0], libraryTitleRow());
    std::string previous;
    for (std::size_t r = 1; r < table.size(); ++r) {
        if (!isNuclideLine(table[r])) {
            EXPECT_EQ(table[r][kName], table[r - 1][kName]) << "row " << r;
            EXPECT_TRUE(table[r][kUse] == "1" || table[r][kUse] == "0") << "row " << r;
            continue;
        }
        EXPECT_LT(previous, table[r][kName]);
        previous = table[r][kName];
        EXPECT_TRUE(isHalfLifeUnit(table[r][kHalfLifeUnit])) << previous;
        EXPECT_TRUE(parseFloat(table[r][kHalfLife])) << previous;
        EXPECT_FALSE(table[r][kElement].empty()) << previous;
    }
}

// Every required nuclide: one enabled primary and one enabled secondary line, lines in ascending
// energy, every energy and yield a positive number.
TEST(ShippedLibraries, RequiredNuclidesHaveTheirPrimaryAndSecondaryLines) {
    const LibraryTable table = shippedTable();
    for (const std::string& name : kRequired) {
        const auto first = findRowNamed(table, name);
        ASSERT_TRUE(first) << name;
        int primaries = 0;
        int secondaries = 0;
        double lastEnergy = 0;
        for (int r = *first + 1; r < blockEnd(table, *first); ++r) {
            const LibraryRow& line = table[static_cast<std::size_t>(r)];
            const auto energy = parseFloat(line[kEnergy]);
            ASSERT_TRUE(energy && *energy > lastEnergy) << name << " row " << r;
            lastEnergy = *energy;
            EXPECT_GT(parseFloat(line[kYield]).value_or(0), 0) << name;
            const bool used = line[kUse] == "1";
            primaries += line[kPrimary] == "1" && used;
            secondaries += line[kSecondary] == "1" && used;
        }
        EXPECT_EQ(primaries, 1) << name;
        EXPECT_EQ(secondaries, 1) << name;
        EXPECT_EQ(table[static_cast<std::size_t>(*first)][kUse], kEnabled.count(name) ? "11" : "10") << name;
    }
}

struct Expected {
    const char* name;
    const char* primary;
    const char* secondary;
    const char* yield;
    const char* halfLife;
};

TEST(ShippedLibraries, KnownLinesOfTheWellKnownSources) {
    testing::ScriptedOperator op;
    NuclideLibrary library;
    ASSERT_TRUE(loadLibraryFile(library, "TREL.lib", kShipped, op));
    for (const Expected& e : {Expected{"Cs-137", "661.657", "661.657", "84.99", "30.090 years"},
                              Expected{"Co-60", "1332.492", "1173.228", "99.9826", "5.2711 years"},
                              Expected{"Am-241", "59.5409", "26.3446", "35.78", "432.6 years"},
                              Expected{"K-40", "1460.822", "1460.822", "10.66", "1.2493E+9 years"},
                              Expected{"Tl-208", "2614.511", "583.187", "35.85", "3.053 minutes"}}) {
        const SearchRow* row = library.findSearchRow(e.name);
        ASSERT_NE(row, nullptr) << e.name;
        EXPECT_EQ(row->primaryEnergy, e.primary);
        EXPECT_EQ(row->secondaryEnergy, e.secondary);
        EXPECT_EQ(row->yieldPercent, e.yield);
        const auto info = library.nuclide(e.name);
        EXPECT_EQ(info->halfLife + " " + info->halfLifeUnit, e.halfLife);
    }
}

// The shared table (found through MCA_SHARED_DATA) is the source of every line it lists: each of
// its lines must stand in the library with the same energy and yield texts.
TEST(ShippedLibraries, FiguresMatchTheSharedNuclideTable) {
    const char* shared = std::getenv("MCA_SHARED_DATA");
    const auto csv = std::filesystem::path(shared ? shared : "") / "nuclides" / "gamma_lines.csv";
    if (!shared || !std::filesystem::exists(csv)) GTEST_SKIP() << "shared nuclide table not available";
    std::map<std::string, std::set<std::pair<std::string, std::string>>> library;
    for (const LibraryRow& r : shippedTable()) {
        if (!isNuclideLine(r)) library[r[kName]].insert({r[kEnergy], r[kYield]});
    }
    std::ifstream in(csv);
    std::string line;
    std::getline(in, line);
    int checked = 0;
    while (std::getline(in, line)) {
        std::stringstream cells(line);
        Strings c;
        for (std::string cell; std::getline(cells, cell, ',');) c.push_back(cell);
        ASSERT_EQ(c.size(), 8u) << line;
        EXPECT_TRUE(library[c[0]].count({c[4], c[5]})) << line;
        ++checked;
    }
    EXPECT_EQ(checked, 115);
}

}  // namespace
}  // namespace mca
