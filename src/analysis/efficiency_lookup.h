// The two efficiency lookups the peak report, the library-based analysis and the nuclide-line
// overlay use: absolute detection efficiency at a channel, read off a piecewise-linear curve
// through the rows of the shape calibration's table or of the ROI efficiency table.
//
// Both tables are owned by their calibrations; the lookups take the rows as plain values so any
// caller (or a test) can supply them.
#pragma once

#include <optional>
#include <span>
#include <vector>

namespace mca {

// What a lookup answers instead of an efficiency that is not above 0 (or when there is no point).
inline constexpr double kEfficiencyFloor = 1e-17;
// The ROI efficiency table contributes its first 50 data rows.
inline constexpr std::size_t kRoiEfficiencyRows = 50;

struct EfficiencyPoint {
    double channel = 0;
    double efficiency = 0;   // absolute, as a fraction
};

// The curve through `points` (in the order given) at channel x:
//   one point: its efficiency; x at or below the first point's channel: the first efficiency;
//   at or above the last point's channel: the last; otherwise, with x_k < x <= x_k+1 (the first
//   such pair), the straight line through points k and k+1 evaluated at round(x - 1).
// A result not above 0, and an empty curve, give kEfficiencyFloor.
double efficiencyOnCurve(std::span<const EfficiencyPoint> points, double channel);

// A row of the shape calibration table: centroid channel and absolute efficiency (empty when the
// row carries none).
struct ShapeEfficiencyRow {
    double centroidChannel = 0;
    std::optional<double> absoluteEfficiency;
};

// A data row of the ROI efficiency table: its channel and efficiency columns and its exclusion flag.
struct RoiEfficiencyRow {
    double channel = 0;
    std::optional<double> efficiency;
    bool excluded = false;
};

// The curve points of each table: the shape table's rows carrying an efficiency; the ROI table's
// first 50 rows without the excluded ones and those without an efficiency. Table order is kept.
std::vector<EfficiencyPoint> shapeEfficiencyPoints(std::span<const ShapeEfficiencyRow> rows);
std::vector<EfficiencyPoint> roiEfficiencyPoints(std::span<const RoiEfficiencyRow> rows);

// Efficiency from the shape calibration's table and from the ROI efficiency table at a channel.
double shapeTableEfficiencyAtChannel(std::span<const ShapeEfficiencyRow> rows, double channel);
double roiTableEfficiencyAtChannel(std::span<const RoiEfficiencyRow> rows, double channel);

// The efficiency calibrations in force, as the peak report asks for them.
struct EfficiencyTables {
    bool shapeCalibrationValid = false;
    std::vector<ShapeEfficiencyRow> shapeTable;
    bool roiEfficiencyPresent = false;   // an ROI efficiency calibration exists
    std::vector<RoiEfficiencyRow> roiTable;
};

// The efficiency at a channel from the shape table when the shape calibration is valid, else from
// the ROI table when an ROI efficiency calibration exists; nullopt when neither is.
std::optional<double> efficiencyAtChannel(const EfficiencyTables& tables, double channel);

}  // namespace mca
