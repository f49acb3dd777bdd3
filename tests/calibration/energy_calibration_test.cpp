// Energy calibration: which formula the conversions use, their clamps and sentinels, the refit
// from a detector record, the order choice, and the fit display's texts and series.
#include "calibration/energy_calibration.h"

#include "calibration/energy_fit_display.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace mca {
namespace {

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// keV = 10 + 0.5 ch, fitted from `points` points.
EnergyCalibration line(int points) {
    EnergyCalibration cal;
    cal.pointCount = points;
    cal.k = 0.5;
    cal.d = 10;
    cal.linearQuality = 1;
    cal.linearValid = true;
    return cal;
}

// keV = 2 + 0.35 ch + 1e-5 ch^2, active.
EnergyCalibration parabola(double a0 = 2, double a1 = 0.35, double a2 = 1e-5) {
    EnergyCalibration cal = line(3);
    cal.linearValid = false;
    cal.useLinear = false;
    cal.a0 = a0;
    cal.a1 = a1;
    cal.a2 = a2;
    cal.quadraticQuality = 1;
    cal.quadraticValid = a0 != 0 && a1 != 0 && a2 != 0;
    return cal;
}

EnergyCalibration quadraticChosenWithTwoPoints() {
    EnergyCalibration cal = parabola();
    cal.pointCount = 2;
    return cal;
}

EnergyCalibration slopelessLine() {
    EnergyCalibration cal = line(2);
    cal.k = 0;
    cal.d = 661.7;
    cal.linearValid = false;
    return cal;
}

struct ConversionCase {
    std::string name;
    EnergyCalibration cal;
    EnergyCalibrationKind kind;
    double channel;
    double keVOfChannel;
    double keV;
    int channelCount;
    double channelOfKeV;
};

class Conversions : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(Conversions, FollowTheActiveFormulaAndItsClamps) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(energyCalibrationKind(c.cal), c.kind);
    EXPECT_NEAR(ChannelToKeV(c.cal, c.channel), c.keVOfChannel, 1e-9);
    EXPECT_NEAR(KeVToChannel(c.cal, c.keV, c.channelCount), c.channelOfKeV, 1e-9);
}

using Kind = EnergyCalibrationKind;

INSTANTIATE_TEST_SUITE_P(
    EnergyCalibration, Conversions,
    ::testing::Values(
        ConversionCase{"Linear", line(2), Kind::Linear, 100, 60, 60, 4096, 100},
        ConversionCase{"TwoPointsWithQuadraticChosenUseTheLine", quadraticChosenWithTwoPoints(), Kind::Linear, 100,
                       60, 60, 4096, 100},
        ConversionCase{"ThreePointsWithAZeroQuadraticCoefficient", parabola(2, 0.35, 0), Kind::None, 100,
                       kNoEnergyKeV, 60, 4096, 0},
        ConversionCase{"Quadratic", parabola(), Kind::Quadratic, 1000, 362, 362, 4096, 1000},
        ConversionCase{"NothingCalibrated", EnergyCalibration{}, Kind::None, 100, kNoEnergyKeV, 60, 4096, 0},
        // Two points on one energy: no slope, so no calibration, not a flat 661.7 keV.
        ConversionCase{"SlopelessLineFromTwoPoints", slopelessLine(), Kind::None, 100, kNoEnergyKeV, 60, 4096, 0},
        ConversionCase{"LinearBeyondTheLastChannel", line(2), Kind::Linear, 0, 10, 5000, 1024, 1023},
        ConversionCase{"LinearBelowChannelZero", line(2), Kind::Linear, -40, -10, -10, 1024, 0},
        ConversionCase{"QuadraticRootAtZeroGivesOne", parabola(), Kind::Quadratic, 0, 2, 2, 4096, 1},
        ConversionCase{"QuadraticRootBelowZeroGivesOne", parabola(), Kind::Quadratic, -10, -1.499, 0, 4096, 1},
        // keV = 1 + ch - 0.001 ch^2 never reaches 300 keV: no root.
        ConversionCase{"QuadraticWithoutARootGivesOne", parabola(1, 1, -1e-3), Kind::Quadratic, 500, 251, 300, 4096,
                       1},
        ConversionCase{"QuadraticNeverBeyond4094", parabola(), Kind::Quadratic, 4096, 1603.37216, 100000, 4096, 4094},
        ConversionCase{"QuadraticClampedToTheLastChannel", parabola(), Kind::Quadratic, 3500, 1349.5, 1349.5, 1024,
                       1023}),
    caseName<ConversionCase>);

TEST(EnergyCalibration, MeVIsKeVOverAThousand) {
    EXPECT_DOUBLE_EQ(ChannelToMeV(line(2), 100), 0.06);
    EXPECT_DOUBLE_EQ(ChannelToMeV(EnergyCalibration{}, 100), -1.0);
}

// A linear flag without a slope (set by hand) still converts channel to keV as written, but the
// inverse cannot divide and answers 0 without clamping.
TEST(EnergyCalibration, LinearInverseWithoutSlopeAnswersZero) {
    EnergyCalibration cal = line(2);
    cal.k = 0;
    EXPECT_DOUBLE_EQ(ChannelToKeV(cal, 100), 10);
    EXPECT_DOUBLE_EQ(KeVToChannel(cal, 60, 4096), 0);
}

TEST(EnergyCalibration, QuadraticIsActiveOnlyWithThreePointsAndTheQuadraticOrder) {
    EXPECT_TRUE(isQuadraticActive(parabola()));
    EXPECT_FALSE(isQuadraticActive(quadraticChosenWithTwoPoints()));
    EnergyCalibration linearOrder = parabola();
    linearOrder.useLinear = true;
    EXPECT_FALSE(isQuadraticActive(linearOrder));
}

using Points = std::vector<std::pair<std::string, std::string>>;   // (keV, channel)

DetectorRecord recordWith(const Points& points, const std::string& order) {
    DetectorRecord record;
    for (std::size_t i = 0; i < points.size(); ++i) {
        record[field::kFirstEnergy + static_cast<int>(i)] = points[i].first;
        record[field::kFirstChannel + static_cast<int>(i)] = points[i].second;
    }
    record[field::kCalibrationOrder] = order;
    return record;
}

// keV = 2 + 0.35 ch + 1e-5 ch^2 at channels 100, 1800 and 3500.
const Points kThreeOnAParabola{{"37.1", "100"}, {"664.4", "1800"}, {"1349.5", "3500"}};

struct RefitCase {
    std::string name;
    Points points;
    std::string order;
    int pointCount;
    bool linearValid;
    bool quadraticValid;
    bool useLinear;
    Kind kind;
};

class Refits : public ::testing::TestWithParam<RefitCase> {};

TEST_P(Refits, SetTheFlagsFromTheRecord) {
    const RefitCase& c = GetParam();
    EnergyCalibration cal;
    RecomputeEnergyCalibration(cal, recordWith(c.points, c.order));
    EXPECT_EQ(cal.pointCount, c.pointCount);
    EXPECT_EQ(cal.linearValid, c.linearValid);
    EXPECT_EQ(cal.quadraticValid, c.quadraticValid);
    EXPECT_EQ(cal.useLinear, c.useLinear);
    EXPECT_EQ(energyCalibrationKind(cal), c.kind);
}

INSTANTIATE_TEST_SUITE_P(
    EnergyCalibration, Refits,
    ::testing::Values(
        RefitCase{"NoPoints", {}, "1", 0, false, false, true, Kind::None},
        RefitCase{"TwoPointsQuadraticOrder", {{"32.89", "100"}, {"661.7", "2000"}}, "2", 2, true, false, true,
                  Kind::Linear},
        RefitCase{"ThreePointsQuadraticOrder", kThreeOnAParabola, "2", 3, true, true, false, Kind::Quadratic},
        RefitCase{"ThreePointsLinearOrder", kThreeOnAParabola, "1", 3, true, true, true, Kind::Linear},
        RefitCase{"OneChannelTwice", {{"32.89", "500"}, {"661.7", "500"}}, "1", 2, false, false, true, Kind::None},
        RefitCase{"EnergyWithoutChannelIsUnused", {{"32.89", "100"}, {"661.7", ""}, {"1460.8", "3000"}}, "1", 2,
                  true, false, true, Kind::Linear},
        RefitCase{"ChannelWithoutEnergyIsUnused", {{"32.89", "100"}, {"", "1800"}, {"1460.8", "3000"}}, "1", 2, true,
                  false, true, Kind::Linear},
        RefitCase{"UnreadablePointIsUnused", {{"32.89", "100"}, {"661.7", "abc"}, {"1460.8", "3000"}}, "1", 2, true,
                  false, true, Kind::Linear}),
    caseName<RefitCase>);

TEST(EnergyCalibration, RefitRecoversTheLineAndTheParabola) {
    EnergyCalibration cal;
    RecomputeEnergyCalibration(cal, recordWith({{"32.89", "100"}, {"661.7", "2000"}}, "1"));
    EXPECT_NEAR(cal.k, (661.7 - 32.89) / 1900, 1e-12);
    EXPECT_NEAR(cal.d, 32.89 - 100 * (661.7 - 32.89) / 1900, 1e-9);
    EXPECT_NEAR(cal.linearQuality, 1, 1e-12);

    RecomputeEnergyCalibration(cal, recordWith(kThreeOnAParabola, "2"));
    EXPECT_NEAR(cal.a0, 2, 1e-8);
    EXPECT_NEAR(cal.a1, 0.35, 1e-10);
    EXPECT_NEAR(cal.a2, 1e-5, 1e-14);
    EXPECT_NEAR(cal.quadraticQuality, 1, 1e-12);
    EXPECT_NEAR(ChannelToKeV(cal, 1000), 362, 1e-8);
    EXPECT_NEAR(KeVToChannel(cal, 362, 4096), 1000, 1e-6);
}

// The line over one channel cannot be formed: the error stays inside and the calibration that was
// valid before does not survive on zero coefficients.
TEST(EnergyCalibration, RefitOverOneChannelLeavesTheCalibrationInvalid) {
    EnergyCalibration cal;
    RecomputeEnergyCalibration(cal, recordWith({{"32.89", "100"}, {"661.7", "2000"}}, "1"));
    ASSERT_TRUE(cal.linearValid);
    RecomputeEnergyCalibration(cal, recordWith({{"32.89", "700"}, {"661.7", "700"}}, "1"));
    EXPECT_FALSE(cal.linearValid);
    EXPECT_EQ(cal.k, 0);
    EXPECT_EQ(cal.d, 0);
    EXPECT_EQ(ChannelToKeV(cal, 700), kNoEnergyKeV);
    EXPECT_EQ(KeVToChannel(cal, 661.7, 4096), 0);
}

TEST(EnergyCalibration, ChoosingQuadraticWithTwoPointsChangesNoConversionUntilAThirdPoint) {
    Points points{{"32.89", "100"}, {"661.7", "2000"}};
    EnergyCalibration cal;
    RecomputeEnergyCalibration(cal, recordWith(points, "1"));
    const double keV = ChannelToKeV(cal, 1234);
    const double channel = KeVToChannel(cal, 500, 4096);

    chooseEnergyCalibrationOrder(cal, true);
    EXPECT_FALSE(cal.linearValid);
    EXPECT_FALSE(cal.useLinear);
    EXPECT_EQ(ChannelToKeV(cal, 1234), keV);
    EXPECT_EQ(KeVToChannel(cal, 500, 4096), channel);

    points.emplace_back("1460.8", "3900");
    RecomputeEnergyCalibration(cal, recordWith(points, "2"));
    EXPECT_TRUE(isQuadraticActive(cal));
    EXPECT_NE(ChannelToKeV(cal, 1234), keV);
}

TEST(EnergyCalibration, ChoosingAnOrderNeverVouchesForAMissingFit) {
    EnergyCalibration cal;
    chooseEnergyCalibrationOrder(cal, false);
    EXPECT_FALSE(cal.linearValid);
    EXPECT_TRUE(cal.useLinear);
    chooseEnergyCalibrationOrder(cal, true);
    EXPECT_FALSE(cal.quadraticValid);
    EXPECT_EQ(ChannelToKeV(cal, 100), kNoEnergyKeV);

    RecomputeEnergyCalibration(cal, recordWith(kThreeOnAParabola, "1"));
    chooseEnergyCalibrationOrder(cal, true);
    EXPECT_TRUE(isQuadraticActive(cal));
    chooseEnergyCalibrationOrder(cal, false);
    EXPECT_TRUE(cal.linearValid);
    EXPECT_EQ(energyCalibrationKind(cal), Kind::Linear);
}

struct EquationCase {
    std::string name;
    double a0, a1, a2;
    std::string expected;
};

class LinearEquations : public ::testing::TestWithParam<EquationCase> {};
class QuadraticEquations : public ::testing::TestWithParam<EquationCase> {};

TEST_P(LinearEquations, ShowSlopeThenSignedIntercept) {
    EXPECT_EQ(linearEquationText(GetParam().a1, GetParam().a0), GetParam().expected);
}

TEST_P(QuadraticEquations, ShowSignedTermsInFallingPowers) {
    EXPECT_EQ(quadraticEquationText(GetParam().a0, GetParam().a1, GetParam().a2), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(EnergyFitDisplay, LinearEquations,
                         ::testing::Values(EquationCase{"PositiveIntercept", 10, 0.5, 0, "y = 0.5x  + 10"},
                                           EquationCase{"NegativeIntercept", -3.21, 0.123456, 0, "y = 0.1235x  - 3.21"},
                                           EquationCase{"Zero", 0, 0, 0, "y = 0x  + 0"}),
                         caseName<EquationCase>);

INSTANTIATE_TEST_SUITE_P(
    EnergyFitDisplay, QuadraticEquations,
    ::testing::Values(EquationCase{"Rising", -3.21, 0.33312, 1.2345e-5, "y = 0.00001234x\u00B2 + 0.3331x - 3.21"},
                      EquationCase{"Falling", 5, -0.5, -2.5e-6, "y = -2.5E-6x\u00B2 - 0.5x + 5"}),
    caseName<EquationCase>);

TEST(EnergyFitDisplay, QualitiesInFullForm) {
    EnergyCalibration cal = parabola();
    cal.linearQuality = 0.99999123456789;
    cal.quadraticQuality = 1;
    const EnergyFitTexts texts = energyFitTexts(cal);
    EXPECT_EQ(texts.linearEquation, "y = 0.5x  + 10");
    EXPECT_EQ(texts.linearFit, "Fit = 0.99999123456789");
    EXPECT_EQ(texts.quadraticEquation, "y = 0.00001x\u00B2 + 0.35x + 2");
    EXPECT_EQ(texts.quadraticFit, "Fit = 1");
}

TEST(EnergyFitDisplay, PlotsPointsLineAndCurveAtEveryChannel) {
    const DetectorRecord record = recordWith({{"37.1", "100"}, {"", "900"}, {"664.4", "1800"}}, "2");
    const EnergyCalibration cal = parabola();
    const EnergyFitPlot plot = energyFitPlot(cal, record, 256);
    ASSERT_EQ(plot.points.size(), 2u);
    EXPECT_EQ(plot.points[1].channel, 1800);
    EXPECT_EQ(plot.points[1].keV, 664.4);
    ASSERT_EQ(plot.linearKeV.size(), 257u);
    ASSERT_EQ(plot.quadraticKeV.size(), 257u);
    EXPECT_DOUBLE_EQ(plot.linearKeV[0], 10);
    EXPECT_DOUBLE_EQ(plot.linearKeV[256], 138);
    EXPECT_DOUBLE_EQ(plot.quadraticKeV[256], 2 + 0.35 * 256 + 1e-5 * 256 * 256);
    ASSERT_TRUE(plot.axisMaxKeV.has_value());
    EXPECT_DOUBLE_EQ(*plot.axisMaxKeV, ChannelToKeV(cal, 256));

    EXPECT_FALSE(energyFitPlot(EnergyCalibration{}, record, 256).axisMaxKeV.has_value());
}

}  // namespace
}  // namespace mca
