// The least-squares accumulator: the worked edge cases, noisy data against the closed form, and
// the accumulator's life cycle.
#include "analysis/curve_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace mca {
namespace {

// Parameterised cases are named by their own name field.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

struct Point {
    double x;
    double y;
};

TCurveFit fitOf(const std::vector<Point>& points) {
    TCurveFit fit;
    for (const Point& p : points) {
        fit.AddPoint(p.x, p.y);
    }
    return fit;
}

struct LinearCase {
    std::string name;
    std::vector<Point> points;
    LinearFitResult expected;
};

class LinearFitCases : public ::testing::TestWithParam<LinearCase> {};

TEST_P(LinearFitCases, GiveSlopeInterceptAndQuality) {
    const LinearFitResult fit = fitOf(GetParam().points).LinearFit();
    EXPECT_NEAR(fit.k, GetParam().expected.k, 1e-14);
    EXPECT_NEAR(fit.d, GetParam().expected.d, 1e-14);
    EXPECT_NEAR(fit.q, GetParam().expected.q, 1e-14);
}

INSTANTIATE_TEST_SUITE_P(
    TCurveFit, LinearFitCases,
    ::testing::Values(LinearCase{"PerfectLine", {{0, 1}, {1, 3}, {2, 5}}, {2, 1, 1}},
                      LinearCase{"NoPoints", {}, {0, 0, 0}},
                      LinearCase{"SinglePoint", {{5, 7}}, {0, 0, 0}},
                      LinearCase{"EqualYGivesQualityOne", {{1, 4}, {3, 4}}, {0, 4, 1}},
                      LinearCase{"FallingLine", {{10, 0}, {20, -10}, {30, -20}}, {-1, 10, 1}},
                      // y = 1, 2, 2 at x = 0, 1, 2: k = 0.5, d = 7/6, R^2 = 0.75.
                      LinearCase{"Scatter", {{0, 1}, {1, 2}, {2, 2}}, {0.5, 7.0 / 6.0, 0.75}}),
    caseName<LinearCase>);

struct ParabolicCase {
    std::string name;
    std::vector<Point> points;
    ParabolicFitResult expected;
};

class ParabolicFitCases : public ::testing::TestWithParam<ParabolicCase> {};

TEST_P(ParabolicFitCases, GiveCoefficientsAndQuality) {
    const ParabolicFitResult fit = fitOf(GetParam().points).ParabolicFit();
    EXPECT_NEAR(fit.a0, GetParam().expected.a0, 1e-12);
    EXPECT_NEAR(fit.a1, GetParam().expected.a1, 1e-12);
    EXPECT_NEAR(fit.a2, GetParam().expected.a2, 1e-12);
    EXPECT_NEAR(fit.q, GetParam().expected.q, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    TCurveFit, ParabolicFitCases,
    ::testing::Values(ParabolicCase{"UnitParabola", {{-1, 1}, {0, 0}, {1, 1}}, {0, 0, 1, 1}},
                      ParabolicCase{"TwoPointsGiveZeros", {{0, 1}, {1, 3}}, {0, 0, 0, 0}},
                      ParabolicCase{"ShiftedParabola", {{1, 6}, {2, 11}, {3, 18}, {4, 27}}, {3, 2, 1, 1}},
                      // Every x the same: both guarded divisions leave their coefficient at 0.
                      ParabolicCase{"OneXValue", {{2, 1}, {2, 3}, {2, 5}}, {3, 0, 0, 0}},
                      ParabolicCase{"ConstantY", {{0, 5}, {1, 5}, {3, 5}}, {5, 0, 0, 1}}),
    caseName<ParabolicCase>);

struct CorrelationCase {
    std::string name;
    std::vector<Point> points;
    double expected;
};

class CorrelationCases : public ::testing::TestWithParam<CorrelationCase> {};

TEST_P(CorrelationCases, GivePearsonsR) {
    EXPECT_NEAR(fitOf(GetParam().points).CorrelationCoefficient(), GetParam().expected, 1e-15);
}

INSTANTIATE_TEST_SUITE_P(
    TCurveFit, CorrelationCases,
    ::testing::Values(CorrelationCase{"Rising", {{1, 2}, {2, 4}, {3, 6}}, 1.0},
                      CorrelationCase{"Falling", {{1, -2}, {2, -4}, {3, -6}}, -1.0},
                      CorrelationCase{"TwoPoints", {{1, 2}, {2, 4}}, 0.0},
                      CorrelationCase{"EveryXZero", {{0, 1}, {0, 2}, {0, 3}}, 0.0},
                      CorrelationCase{"EveryYZero", {{1, 0}, {2, 0}, {3, 0}}, 0.0},
                      CorrelationCase{"OneXValue", {{4, 1}, {4, 2}, {4, 3}}, 0.0},
                      CorrelationCase{"OneYValue", {{1, 7}, {2, 7}, {3, 7}}, 0.0},
                      // Symmetric about the vertex: no linear correlation at all.
                      CorrelationCase{"Parabola", {{-1, 1}, {0, 0}, {1, 1}}, 0.0}),
    caseName<CorrelationCase>);

TEST(TCurveFit, LinearFitOverOneXValueThrowsACatchableError) {
    EXPECT_THROW(fitOf({{3, 1}, {3, 2}}).LinearFit(), FitDivisionError);
    EXPECT_THROW(fitOf({{0, 0}, {0, 0}, {0, 5}}).LinearFit(), FitDivisionError);
}

// Least squares by the normal equations on centred data, written independently of the sums.
struct Reference {
    double k, d, r;
};

Reference referenceLine(const std::vector<Point>& points) {
    double mx = 0, my = 0;
    for (const Point& p : points) {
        mx += p.x;
        my += p.y;
    }
    mx /= static_cast<double>(points.size());
    my /= static_cast<double>(points.size());
    double sxx = 0, sxy = 0, syy = 0;
    for (const Point& p : points) {
        sxx += (p.x - mx) * (p.x - mx);
        sxy += (p.x - mx) * (p.y - my);
        syy += (p.y - my) * (p.y - my);
    }
    const double k = sxy / sxx;
    return {k, my - k * mx, sxy / std::sqrt(sxx * syy)};
}

std::vector<Point> noisy(double a0, double a1, double a2, unsigned seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 2.0);
    std::vector<Point> points;
    for (int i = 0; i < 40; ++i) {
        const double x = 25.0 * i;
        points.push_back({x, a0 + a1 * x + a2 * x * x + noise(random)});
    }
    return points;
}

TEST(TCurveFit, NoisyLineMatchesTheClosedForm) {
    const std::vector<Point> points = noisy(12.0, 0.75, 0.0, 7);
    const TCurveFit fit = fitOf(points);
    const Reference expected = referenceLine(points);
    const LinearFitResult line = fit.LinearFit();
    EXPECT_NEAR(line.k, expected.k, 1e-12);
    EXPECT_NEAR(line.d, expected.d, 1e-9);
    // For a straight line the coefficient of determination is r squared.
    EXPECT_NEAR(line.q, expected.r * expected.r, 1e-12);
    EXPECT_NEAR(fit.CorrelationCoefficient(), expected.r, 1e-12);
    EXPECT_GT(line.q, 0.99);
    EXPECT_LT(line.q, 1.0);
}

// Solves the 3x3 normal equations of y = a0 + a1 x + a2 x^2 by Cramer's rule on centred x.
ParabolicFitResult referenceParabola(const std::vector<Point>& points) {
    double mean = 0;
    for (const Point& p : points) mean += p.x;
    mean /= static_cast<double>(points.size());
    double s[5] = {}, t[3] = {};
    for (const Point& p : points) {
        const double u = p.x - mean;
        double power = 1;
        for (int i = 0; i < 5; ++i, power *= u) {
            s[i] += power;
            if (i < 3) t[i] += power * p.y;
        }
    }
    const auto det = [](double a, double b, double c, double d, double e, double f, double g, double h, double i) {
        return a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    };
    const double whole = det(s[0], s[1], s[2], s[1], s[2], s[3], s[2], s[3], s[4]);
    const double b0 = det(t[0], s[1], s[2], t[1], s[2], s[3], t[2], s[3], s[4]) / whole;
    const double b1 = det(s[0], t[0], s[2], s[1], t[1], s[3], s[2], t[2], s[4]) / whole;
    const double b2 = det(s[0], s[1], t[0], s[1], s[2], t[1], s[2], s[3], t[2]) / whole;
    // Back from u = x - mean to x.
    return {b0 - b1 * mean + b2 * mean * mean, b1 - 2 * b2 * mean, b2, 0};
}

TEST(TCurveFit, NoisyParabolaMatchesTheClosedForm) {
    const std::vector<Point> points = noisy(-8.0, 0.42, 2.5e-5, 11);
    const ParabolicFitResult fit = fitOf(points).ParabolicFit();
    const ParabolicFitResult expected = referenceParabola(points);
    EXPECT_NEAR(fit.a2, expected.a2, 1e-12);
    EXPECT_NEAR(fit.a1, expected.a1, 1e-9);
    EXPECT_NEAR(fit.a0, expected.a0, 1e-6);
    EXPECT_GT(fit.q, 0.99);
    EXPECT_LT(fit.q, 1.0);
}

TEST(TCurveFit, ResetBehavesAsAFreshAccumulator) {
    TCurveFit fit = fitOf({{1, 2}, {2, 4}, {3, 7}, {4, 8}});
    fit.Reset();
    EXPECT_EQ(fit.pointCount(), 0);
    const LinearFitResult line = fit.LinearFit();
    EXPECT_EQ(line.k, 0);
    EXPECT_EQ(line.d, 0);
    EXPECT_EQ(line.q, 0);
    const ParabolicFitResult parabola = fit.ParabolicFit();
    EXPECT_EQ(parabola.a0, 0);
    EXPECT_EQ(parabola.a1, 0);
    EXPECT_EQ(parabola.a2, 0);
    EXPECT_EQ(parabola.q, 0);
    EXPECT_EQ(fit.CorrelationCoefficient(), 0);

    fit.AddPoint(0, 1);
    fit.AddPoint(1, 3);
    fit.AddPoint(2, 5);
    EXPECT_DOUBLE_EQ(fit.LinearFit().k, 2);
}

TEST(TCurveFit, PointsAddedAfterAnEvaluationJoinTheSums) {
    TCurveFit fit = fitOf({{0, 1}, {1, 3}});
    const LinearFitResult before = fit.LinearFit();
    EXPECT_EQ(fit.LinearFit().k, before.k);   // evaluating changes nothing
    EXPECT_EQ(fit.ParabolicFit().a2, 0);
    fit.AddPoint(2, 9);
    EXPECT_EQ(fit.pointCount(), 3);
    const ParabolicFitResult parabola = fit.ParabolicFit();
    EXPECT_NEAR(parabola.a0, 1, 1e-12);
    EXPECT_NEAR(parabola.a1, 0, 1e-12);
    EXPECT_NEAR(parabola.a2, 2, 1e-12);
    EXPECT_NEAR(fit.LinearFit().k, 4, 1e-12);
}

}  // namespace
}  // namespace mca
