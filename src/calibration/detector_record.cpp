// Detector records.
#include "calibration/detector_record.h"

namespace mca {

std::string DetectorKey(const DetectorRecord& r) {
    return r[field::kName] + r[field::kSerial] + r[field::kDescription] + r[field::kCableLength] +
           r[field::kCableUnits] + r[field::kChannelsCode];
}

std::string detectorIdentityText(const DetectorRecord& r) {
    return r[field::kName] + " #" + r[field::kSerial] + ", " + r[field::kDescription] + ", " + r[field::kCableLength] +
           " " + r[field::kCableUnits] + " cable";
}

void fillMultiplierDefaults(DetectorRecord& r) {
    if (r[field::kSqrtToFwhm].empty()) r[field::kSqrtToFwhm] = kDefaultSqrtToFwhm;
    if (r[field::kFwhmToPeak].empty()) r[field::kFwhmToPeak] = kDefaultFwhmToPeak;
}

}  // namespace mca
