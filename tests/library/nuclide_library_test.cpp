// The views of the current library and the queries made of them.
#include "library/nuclide_library.h"

#include "library/library_reader.h"
#include "library/library_samples.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

using testing::kSmallLibrary;
using testing::row;
using Strings = std::vector<std::string>;

class NuclideLibraryTest : public ::testing::Test {
protected:
    NuclideLibrary build(const std::string& text) { return NuclideLibrary::fromTable(readLibraryText(text), op); }
    NuclideLibrary build(LibraryTable table) { return NuclideLibrary::fromTable(std::move(table), op); }

    testing::ScriptedOperator op;
};

const std::string kTitle = "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n";

TEST_F(NuclideLibraryTest, ViewsOfASmallLibrary) {
    const NuclideLibrary lib = build(kSmallLibrary);
    EXPECT_EQ(lib.rawTable().size(), 8u);
    EXPECT_EQ(lib.nuclideList(), (Strings{"Co-60", "Cs-137"}));
    ASSERT_EQ(lib.enabledTable().size(), 5u);
    EXPECT_EQ(lib.enabledTable()[0][0], "Co-60");
    EXPECT_EQ(lib.enabledTable()[4], row("Cs-137", "1", "From Ba-137m, in equilibrium", "661.657", "84.99", "1", "1"));
    ASSERT_EQ(lib.searchTable().size(), 2u);
    const SearchRow& co = lib.searchTable()[0];
    EXPECT_EQ(co.name, "Co-60");
    EXPECT_EQ(co.primaryEnergy, "1332.492");
    EXPECT_EQ(co.secondaryEnergy, "1173.228");
    EXPECT_EQ(co.yieldPercent, "99.9826");
    EXPECT_EQ(co.yieldFraction, "0.999826");
    EXPECT_EQ(lib.searchTable()[1].yieldFraction, "0.8499");
    EXPECT_EQ(lib.selectedNuclide(), "Co-60");
    EXPECT_TRUE(op.transcript().empty());
}

TEST_F(NuclideLibraryTest, DisabledNuclideContributesNothing) {
    const NuclideLibrary lib = build(kSmallLibrary);
    for (const auto& r : lib.enabledTable()) EXPECT_NE(r[0], "K-40");
    EXPECT_EQ(lib.findSearchRow("K-40"), nullptr);
    EXPECT_FALSE(lib.nuclide("K-40"));
    EXPECT_TRUE(lib.enabledGammaLines("K-40").empty());
}

TEST_F(NuclideLibraryTest, DisabledPrimaryLineLeavesThePrimaryCellsEmpty) {
    const NuclideLibrary lib = build(kTitle +
                                     "Co-60,11,5.2711,years,Cobalt,0,0\r\n"
                                     "Co-60,1,\"\",1173.228,99.85,0,1\r\n"
                                     "Co-60,0,\"\",1332.492,99.9826,1,0\r\n");
    const SearchRow* co = lib.findSearchRow("Co-60");
    ASSERT_NE(co, nullptr);
    EXPECT_EQ(co->primaryEnergy, "");
    EXPECT_EQ(co->yieldPercent, "");
    EXPECT_EQ(co->yieldFraction, "");
    EXPECT_EQ(co->secondaryEnergy, "1173.228");
    EXPECT_EQ(lib.enabledGammaLines("Co-60").size(), 1u);
}

TEST_F(NuclideLibraryTest, LaterPrimaryLineOverwritesAnEarlierOne) {
    const NuclideLibrary lib = build(kTitle +
                                     "Eu-152,11,13.528,years,Europium,0,0\r\n"
                                     "Eu-152,1,\"\",121.7817,28.41,1,0\r\n"
                                     "Eu-152,1,\"\",344.2785,26.58,1,1\r\n");
    EXPECT_EQ(lib.findSearchRow("Eu-152")->primaryEnergy, "344.2785");
    EXPECT_EQ(lib.findSearchRow("Eu-152")->yieldPercent, "26.58");
}

TEST_F(NuclideLibraryTest, EnabledBlockEndsAtTheNextNuclideLineOrAnEmptyUse) {
    const NuclideLibrary lib = build(LibraryTable{libraryTitleRow(), row("A", "11", "1", "days", "a", "0", "0"),
                                                  row("A", "1", "", "10", "5", "1", "1"),
                                                  row("A", "", "", "20", "5", "0", "0"),
                                                  row("A", "1", "", "30", "5", "0", "0"),
                                                  row("B", "11", "1", "days", "b", "0", "0"),
                                                  row("B", "1", "", "40", "5", "1", "1")});
    ASSERT_EQ(lib.enabledTable().size(), 4u);
    EXPECT_EQ(lib.enabledTable()[1][3], "10");
    EXPECT_EQ(lib.enabledTable()[2][0], "B");
}

TEST_F(NuclideLibraryTest, PrimaryYieldWithBlanksShowsItsMessageAndIsTrimmed) {
    const NuclideLibrary lib = build(kTitle +
                                     "Cs-137,11,30.090,years,Cesium,0,0\r\n"
                                     "Cs-137,1,\"\",661.657, 84.99 ,1,1\r\n");
    EXPECT_EQ(op.messages(), (Strings{"advstrgrdRadiations.Cells[4,j] = \" 84.99 \""}));
    EXPECT_EQ(lib.findSearchRow("Cs-137")->yieldPercent, "84.99");
    EXPECT_EQ(lib.findSearchRow("Cs-137")->yieldFraction, "0.8499");
}

TEST_F(NuclideLibraryTest, PrimaryYieldThatIsNoNumberEndsTheBuild) {
    const std::string text = kTitle +
                             "Cs-137,11,30.090,years,Cesium,0,0\r\n"
                             "Cs-137,1,\"\",661.657,lots,1,1\r\n";
    EXPECT_THROW(build(text), LibraryConversionError);
    EXPECT_EQ(op.messages(), (Strings{"advstrgrdRadiations.Cells[4,j] = \"lots\""}));
}

TEST_F(NuclideLibraryTest, OnlyThePrimaryYieldIsChecked) {
    const NuclideLibrary lib = build(kTitle +
                                     "Cs-137,11,30.090,years,Cesium,0,0\r\n"
                                     "Cs-137,1,\"\",32,n/a,0,0\r\n"
                                     "Cs-137,1,\"\",661.657,84.99,1,1\r\n");
    EXPECT_TRUE(op.transcript().empty());
    EXPECT_EQ(lib.enabledGammaLines("Cs-137")[0].yield, "n/a");
    EXPECT_FALSE(lib.enabledGammaLines("Cs-137")[0].yieldPercent());
}

TEST_F(NuclideLibraryTest, QueriesForANuclide) {
    NuclideLibrary lib = build(kSmallLibrary);
    const auto info = lib.nuclide("Cs-137");
    ASSERT_TRUE(info);
    EXPECT_EQ(info->element, "Cesium");
    EXPECT_EQ(info->halfLife, "30.090");
    EXPECT_EQ(info->halfLifeUnit, "years");
    const auto lines = lib.enabledGammaLines("Co-60");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].energyKeV(), 1173.228);
    EXPECT_TRUE(lines[0].secondary);
    EXPECT_FALSE(lines[0].primary);
    EXPECT_TRUE(lines[1].primary);
    EXPECT_TRUE(lib.selectNuclide("Cs-137"));
    EXPECT_FALSE(lib.selectNuclide("K-40"));
    EXPECT_EQ(lib.selectedNuclide(), "Cs-137");
}

TEST_F(NuclideLibraryTest, EmptyLibraryHasEmptyViews) {
    const NuclideLibrary lib = build(kTitle);
    EXPECT_TRUE(lib.nuclideList().empty());
    EXPECT_TRUE(lib.searchTable().empty());
    EXPECT_EQ(lib.selectedNuclide(), "");
}

}  // namespace
}  // namespace mca
