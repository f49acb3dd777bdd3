// The sample panel's commands. Any change to the sample data makes the live spectrum unsaved,
// since its file would no longer say what was measured.
#pragma once

#include "core/workstation.h"

#include <string>

namespace mca {

void setSampleDescription(Workstation& w, const std::string& description);
void setUseSampleQuantity(Workstation& w, bool use);
// The quantity as entered; refused (false, nothing changed) when it is not a number.
bool setSampleQuantity(Workstation& w, const std::string& quantity);
// One of "g", "kg", "mg", "l", "ml", "lb"; refused otherwise.
bool setSampleUnits(Workstation& w, const std::string& units);
// "Clear Fields": empty description, quantity 0, no spectrum file name.
void clearSampleFields(Workstation& w);
// The quantity as a number, 0 when it does not parse.
double sampleQuantityValue(const SampleData& sample);

}  // namespace mca
