// Small libraries the library tests share, written as the editor writes them.
#pragma once

#include "library/library_table.h"

#include <gtest/gtest.h>

#include <string>

namespace mca::testing {

// Co-60 and Cs-137 enabled, K-40 disabled; Cs-137's comment holds a comma.
inline const std::string kSmallLibrary =
    "Nuclide,Use,Comments,Energy,yield,Primary,Secondary\r\n"
    "Co-60,11,5.2711,years,Cobalt,0,0\r\n"
    "Co-60,1,\"\",1173.228,99.85,0,1\r\n"
    "Co-60,1,\"\",1332.492,99.9826,1,0\r\n"
    "Cs-137,11,30.090,years,Cesium,0,0\r\n"
    "Cs-137,1,\"From Ba-137m, in equilibrium\",661.657,84.99,1,1\r\n"
    "K-40,10,1.2493E+9,years,Potassium,0,0\r\n"
    "K-40,1,\"\",1460.822,10.66,1,1\r\n";

inline LibraryRow row(std::string a, std::string b, std::string c, std::string d, std::string e, std::string f,
                      std::string g) {
    return {std::move(a), std::move(b), std::move(c), std::move(d), std::move(e), std::move(f), std::move(g)};
}

// Names parameterised cases after their `name` member.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

}  // namespace mca::testing
