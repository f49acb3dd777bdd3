// Piecewise-linear efficiency curves through the calibration tables.
#include "analysis/efficiency_lookup.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

namespace {

double floored(double efficiency) { return efficiency > 0 ? efficiency : kEfficiencyFloor; }

}  // namespace

double efficiencyOnCurve(std::span<const EfficiencyPoint> points, double channel) {
    if (points.empty()) return kEfficiencyFloor;
    if (points.size() == 1 || channel <= points.front().channel) return floored(points.front().efficiency);
    if (channel >= points.back().channel) return floored(points.back().efficiency);
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const EfficiencyPoint& a = points[k];
        const EfficiencyPoint& b = points[k + 1];
        if (!(a.channel < channel && channel <= b.channel)) continue;
        // Two points on one channel bound no interval, so a and b always differ in channel here.
        const double at = static_cast<double>(roundHalfEven(channel - 1));
        const double slope = (b.efficiency - a.efficiency) / (b.channel - a.channel);
        return floored(a.efficiency + slope * (at - a.channel));
    }
    // A table out of channel order can leave x in no interval.
    return kEfficiencyFloor;
}

std::vector<EfficiencyPoint> shapeEfficiencyPoints(std::span<const ShapeEfficiencyRow> rows) {
    std::vector<EfficiencyPoint> points;
    for (const ShapeEfficiencyRow& row : rows) {
        if (row.absoluteEfficiency) points.push_back({row.centroidChannel, *row.absoluteEfficiency});
    }
    return points;
}

std::vector<EfficiencyPoint> roiEfficiencyPoints(std::span<const RoiEfficiencyRow> rows) {
    std::vector<EfficiencyPoint> points;
    for (const RoiEfficiencyRow& row : rows.first(std::min(rows.size(), kRoiEfficiencyRows))) {
        if (!row.excluded && row.efficiency) points.push_back({row.channel, *row.efficiency});
    }
    return points;
}

double shapeTableEfficiencyAtChannel(std::span<const ShapeEfficiencyRow> rows, double channel) {
    return efficiencyOnCurve(shapeEfficiencyPoints(rows), channel);
}

double roiTableEfficiencyAtChannel(std::span<const RoiEfficiencyRow> rows, double channel) {
    return efficiencyOnCurve(roiEfficiencyPoints(rows), channel);
}

std::optional<double> efficiencyAtChannel(const EfficiencyTables& tables, double channel) {
    if (tables.shapeCalibrationValid) return shapeTableEfficiencyAtChannel(tables.shapeTable, channel);
    if (tables.roiEfficiencyPresent) return roiTableEfficiencyAtChannel(tables.roiTable, channel);
    return std::nullopt;
}

}  // namespace mca
