// What the display tests share: the names of table rows, and one sound energy calibration.
#pragma once

#include "analysis/found_peak.h"
#include "calibration/energy_calibration.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace mca::display_test {

template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// keV = 0.5 ch + 10 from a sound two-point line.
inline EnergyCalibration line() {
    EnergyCalibration cal;
    cal.pointCount = 2;
    cal.k = 0.5;
    cal.d = 10;
    cal.linearQuality = 1;
    cal.linearValid = true;
    return cal;
}

// A found peak with what the view reads of it: number, centroid energy and channel, edges.
inline FoundPeak peak(int number, std::optional<double> centroidKeV, std::optional<double> centroidChannel,
                      int leftChannel, int rightChannel) {
    FoundPeak p;
    p.number = number;
    p.centroidKeV = centroidKeV;
    p.centroidChannel = centroidChannel;
    p.leftChannel = leftChannel;
    p.rightChannel = rightChannel;
    return p;
}

}  // namespace mca::display_test
