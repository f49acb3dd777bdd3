// What the display tests share: the names of table rows, and one sound energy calibration.
#pragma once

#include "calibration/energy_calibration.h"

#include <gtest/gtest.h>

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

}  // namespace mca::display_test
