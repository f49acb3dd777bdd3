// The identification rule of the peak panel ("ID peak when library value is"): which window a
// found peak gets, its two spreads and the FWHM multiplier, with their link to the settings store.
#pragma once

#include "analysis/peak_search_settings.h"
#include "core/settings.h"

namespace mca {

// fltFWHMMult: 0.01 .. 5, stepped by 0.1.
inline constexpr double kFwhmMultMin = 0.01;
inline constexpr double kFwhmMultMax = 5.0;
inline constexpr double kFwhmMultStep = 0.1;
// fltedtkeVSpread and fltedtPercentSpread: 0 .. 1000.
inline constexpr double kSpreadMax = 1000.0;

struct IdentificationSettings {
    // rdokevError / rdoPercentError / rdoWithinArea / rdoWithinFWHM with fltedtkeVSpread (keV,
    // initial 25) and fltedtPercentSpread (%, initial 3). Shared with the manual add of peaks.
    IdWindowSettings window;
    double fwhmMult = 1.0;   // fltFWHMMult: the FWHM rule's window is fwhmMult x FWHM wide
};

// The stored rule: keVOfCentroid, percentOfCentroid and the first of searchByKeV / Percent / Area /
// Fwhm that is set (the keV rule when none is).
IdentificationSettings identificationSettingsFrom(const Settings& stored);
// Writes the spreads and exactly one searchBy* flag back.
void storeIdentificationSettings(const IdentificationSettings& id, Settings& stored);

// Changing fltFWHMMult: the value clamped to 0.01 .. 5, and the FWHM rule selected.
void setFwhmMult(IdentificationSettings& id, double value);

}  // namespace mca
