// The sample panel's commands.
#include "spectrumio/sample_commands.h"

#include "core/number_text.h"

#include <algorithm>

namespace mca {

void setSampleDescription(Workstation& w, const std::string& description) {
    w.sample.description = description;
    w.state.spectrumUnsaved = true;
}

void setUseSampleQuantity(Workstation& w, bool use) {
    w.sample.useQuantity = use;
    w.state.spectrumUnsaved = true;
}

bool setSampleQuantity(Workstation& w, const std::string& quantity) {
    if (!parseFloat(quantity)) return false;
    w.sample.quantity = quantity;
    w.state.spectrumUnsaved = true;
    return true;
}

bool setSampleUnits(Workstation& w, const std::string& units) {
    if (std::find(kSampleUnits.begin(), kSampleUnits.end(), units) == kSampleUnits.end()) return false;
    w.settings.sampleUnits = units;
    w.state.spectrumUnsaved = true;
    return true;
}

void clearSampleFields(Workstation& w) {
    w.sample.description.clear();
    w.sample.quantity = "0";
    w.screen.spectrumFileName.clear();
    w.state.spectrumUnsaved = true;
}

double sampleQuantityValue(const SampleData& sample) { return parseFloat(sample.quantity).value_or(0.0); }

}  // namespace mca
