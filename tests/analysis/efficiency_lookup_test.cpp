// The efficiency curves through the shape and ROI efficiency tables.
#include "analysis/efficiency_lookup.h"

#include <gtest/gtest.h>

#include <vector>

namespace mca {
namespace {

struct CurveCase {
    const char* name;
    std::vector<EfficiencyPoint> points;
    double channel;
    double expect;
};

TEST(EfficiencyOnCurve, Table) {
    const std::vector<EfficiencyPoint> three{{100, 0.10}, {200, 0.05}, {400, 0.01}};
    const std::vector<CurveCase> cases{
        {"no point: the floor", {}, 150, kEfficiencyFloor},
        {"single point anywhere", {{300, 0.02}}, 10, 0.02},
        {"below the first point", three, 50, 0.10},
        {"at the first point", three, 100, 0.10},
        {"at or above the last point", three, 4000, 0.01},
        // 151 lies in (100, 200]: the line through them read at round(151 - 1) = 150.
        {"interior, one channel down", three, 151, 0.075},
        {"at an inner point, which closes its interval", three, 200, 0.0505},
        {"second interval", three, 301, 0.03},
        // 100.4 - 1 rounds to 99, just below the interval: the line is extended.
        {"interval start", three, 100.4, 0.1005},
        {"a result not above 0 gives the floor", {{100, 0.01}, {200, -0.01}}, 190, kEfficiencyFloor},
        {"a negative end point gives the floor", {{100, 0.01}, {200, -0.01}}, 250, kEfficiencyFloor},
    };
    for (const CurveCase& c : cases) EXPECT_NEAR(efficiencyOnCurve(c.points, c.channel), c.expect, 1e-12) << c.name;
}

TEST(EfficiencyTables, RowsWithoutEfficiencyAndExcludedRowsAreLeftOut) {
    const std::vector<ShapeEfficiencyRow> shape{{100, 0.1}, {150, std::nullopt}, {200, 0.05}};
    EXPECT_EQ(shapeEfficiencyPoints(shape).size(), 2u);
    EXPECT_NEAR(shapeTableEfficiencyAtChannel(shape, 151), 0.075, 1e-12);

    std::vector<RoiEfficiencyRow> roi{{100, 0.1, false}, {150, 0.9, true}, {200, 0.05, false}};
    EXPECT_NEAR(roiTableEfficiencyAtChannel(roi, 151), 0.075, 1e-12);
    // Only the first 50 rows count.
    for (int i = 0; i < 60; ++i) roi.push_back({300.0 + i, 0.5, false});
    EXPECT_EQ(roiEfficiencyPoints(roi).size(), 49u);
    EXPECT_DOUBLE_EQ(roiTableEfficiencyAtChannel(roi, 4000), 0.5);
}

TEST(EfficiencyTables, ShapeCalibrationFirstThenRoiElseNone) {
    EfficiencyTables tables;
    tables.shapeTable = {{100, 0.2}};
    tables.roiTable = {{100, 0.3, false}};
    EXPECT_FALSE(efficiencyAtChannel(tables, 100).has_value());
    tables.roiEfficiencyPresent = true;
    EXPECT_DOUBLE_EQ(*efficiencyAtChannel(tables, 100), 0.3);
    tables.shapeCalibrationValid = true;
    EXPECT_DOUBLE_EQ(*efficiencyAtChannel(tables, 100), 0.2);
    tables.shapeTable.clear();
    EXPECT_DOUBLE_EQ(*efficiencyAtChannel(tables, 100), kEfficiencyFloor);
}

}  // namespace
}  // namespace mca
