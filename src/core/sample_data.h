// The sample being measured, described once for the whole application: written into every
// spectrum file, restored from one, printed in report headers, and dividing activities when its
// quantity is used. The units choice lives in the settings (`Settings::sampleUnits`).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace mca {

inline constexpr std::array<std::string_view, 6> kSampleUnits{"g", "kg", "mg", "l", "ml", "lb"};

struct SampleData {
    std::string description;
    bool useQuantity = false;   // "Use Sample Quantity"
    std::string quantity = "0"; // as entered
};

}  // namespace mca
