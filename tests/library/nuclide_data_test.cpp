// The nuclide data window's texts and the overlay bars.
#include "library/nuclide_data.h"

#include "library/library_reader.h"
#include "library/library_samples.h"
#include "support/scripted_operator.h"

#include <gtest/gtest.h>

namespace mca {
namespace {

struct MarkCase {
    const char* name;
    bool primary;
    bool secondary;
    std::string expected;
};

class EnergyMarks : public ::testing::TestWithParam<MarkCase> {};

TEST_P(EnergyMarks, MarkTellsTheLinesRole) {
    GammaLine line{"661.657", "84.99", "", GetParam().primary, GetParam().secondary};
    EXPECT_EQ(markedEnergy(line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Library, EnergyMarks,
                         ::testing::Values(MarkCase{"Both", true, true, "661.657³"},
                                           MarkCase{"PrimaryOnly", true, false, "661.657¹"},
                                           MarkCase{"SecondaryOnly", false, true, "661.657²"},
                                           MarkCase{"Neither", false, false, "661.657"}),
                         testing::caseName<MarkCase>);

class NuclideDataTest : public ::testing::Test {
protected:
    testing::ScriptedOperator op;
    NuclideLibrary lib = NuclideLibrary::fromTable(
        readLibraryText(testing::kSmallLibrary + "Na-22,11,2.6018,years,Sodium,0,0\r\n"
                                                 "Na-22,1,Annihilation,511,179.8,0,0\r\n"
                                                 "Na-22,1,\"\",?,5,0,0\r\n"
                                                 "Na-22,0,\"\",1274.537,99.94,1,1\r\n"),
        op);
};

TEST_F(NuclideDataTest, ShowsHalfLifeAndTheEnabledLinesWithMarks) {
    const NuclideDataView view = nuclideDataView(lib, "Co-60");
    EXPECT_EQ(view.name, "Co-60");
    EXPECT_EQ(view.halfLifeLine, "T½: 5.2711 years");
    ASSERT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(view.rows[0].energy, "1173.228²");
    EXPECT_EQ(view.rows[1].energy, "1332.492¹");
    EXPECT_EQ(view.rows[1].yield, "99.9826");
}

TEST_F(NuclideDataTest, DisabledLinesAndNuclidesAreNotShown) {
    EXPECT_EQ(nuclideDataView(lib, "Na-22").rows.size(), 2u);
    const NuclideDataView disabled = nuclideDataView(lib, "K-40");
    EXPECT_EQ(disabled.name, "");
    EXPECT_TRUE(disabled.rows.empty());
}

TEST_F(NuclideDataTest, OverlayBarsSkipLinesWithoutNumbers) {
    const auto bars = isotopeLineBars(lib, "Na-22");
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].energyKeV, 511.0);
    EXPECT_EQ(bars[0].yieldPercent, 179.8);
    EXPECT_EQ(bars[0].label, "511");
    EXPECT_EQ(isotopeLineBars(lib, "Cs-137")[0].label, "661.657³");
}

}  // namespace
}  // namespace mca
