// The identification rule and its settings-store keys.
#include "analysis/identification_settings.h"

#include <algorithm>

namespace mca {

IdentificationSettings identificationSettingsFrom(const Settings& stored) {
    IdentificationSettings id;
    id.window.keVSpread = std::clamp(stored.keVOfCentroid, 0.0, kSpreadMax);
    id.window.percentSpread = std::clamp(stored.percentOfCentroid, 0.0, kSpreadMax);
    if (stored.searchByKeV) {
        id.window.rule = IdWindowRule::KeV;
    } else if (stored.searchByPercent) {
        id.window.rule = IdWindowRule::Percent;
    } else if (stored.searchByArea) {
        id.window.rule = IdWindowRule::Area;
    } else if (stored.searchByFwhm) {
        id.window.rule = IdWindowRule::Fwhm;
    }
    return id;
}

void storeIdentificationSettings(const IdentificationSettings& id, Settings& stored) {
    stored.keVOfCentroid = id.window.keVSpread;
    stored.percentOfCentroid = id.window.percentSpread;
    stored.searchByKeV = id.window.rule == IdWindowRule::KeV;
    stored.searchByPercent = id.window.rule == IdWindowRule::Percent;
    stored.searchByArea = id.window.rule == IdWindowRule::Area;
    stored.searchByFwhm = id.window.rule == IdWindowRule::Fwhm;
}

void setFwhmMult(IdentificationSettings& id, double value) {
    id.fwhmMult = std::clamp(value, kFwhmMultMin, kFwhmMultMax);
    id.window.rule = IdWindowRule::Fwhm;
}

}  // namespace mca
