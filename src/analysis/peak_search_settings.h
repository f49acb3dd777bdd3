// The peak panel's settings (Parts 5.2 and 5.3) with the form's initial values, their link to the
// settings store, the spin-button steps of the two thresholds and the "Defa&ults" button.
#pragma once

#include "core/settings.h"

namespace mca {

// The identification window rule, as far as the manual add of a peak needs it.
enum class IdWindowRule { KeV, Percent, Area, Fwhm };

struct IdWindowSettings {
    IdWindowRule rule = IdWindowRule::KeV;
    double keVSpread = 25.0;      // keV rule: E +- spread
    double percentSpread = 3.0;   // percent rule: (1 -+ p/100) E
};

struct PeakSearchSettings {
    double sensitivity = 1.0;          // fltedtSensitivity: threshold on the second derivative, 0..1000
    double minSignificance = 1.0;      // fltedtMinSignificance: 0 disables the test, 0..1000
    int lowCutoffChannel = 10;         // intLowCutoff: lowest centroid channel kept
    int smoothWidth = 14;              // intedtSmooth: continuum moving average for 4096 channels, 1..120
    int expandPosition = 50;           // trkExpandSpectrum 1..50: channel weighting exponent position/100
    bool useShapeCalibration = true;   // chkG
    double slopeLimit = 0.0;           // fltSlope: slope limit of the left slope walk
    bool show2ndDerivative = false;    // chkbxShow2ndDerivative ("2nd deriv line")
    bool showExpanded = false;         // chkShowExpanded ("Show Expanded")
    // Manual editing
    bool allowPeakEdit = false;        // chkbxAllowPeakEdit ("&Allow Edit")
    bool allowAddPeak = false;         // chkbxAllowAddPeak ("&Double Click Adds Peak")
    bool showGaussFit = false;         // chkShowGaussFit ("Show Gauss Fit")
    double gaussMult = 1.0;            // fltGaussMult: factor on the baseline end heights
    IdWindowSettings idWindow;         // the current identification rule

    double expandExponent() const { return expandPosition / 100.0; }
};

// The form's values overridden by the stored ones: `Sensitivity`, `Significance`, `Smooth`
// (continuum width), `CutoffChn` (low cut-off), and the identification rule keys `keVofCentroid`,
// `PercentofCentroid`, `SearchBykeV` / `SearchByPercent` / `SearchByArea` / `SearchByFWHM`.
PeakSearchSettings peakSearchSettingsFrom(const Settings& stored);
// Writes the panel's own keys back (`Sensitivity`, `Significance`, `Smooth`, `CutoffChn`); the
// identification rule belongs to the identification settings, which store it.
void storePeakSearchSettings(const PeakSearchSettings& panel, Settings& stored);

// Spin buttons. Sensitivity up: +0.01 while -1 <= v < 0.1; otherwise +1 when v >= 1 or v < -1;
// otherwise +0.1. Down: -0.01 while -1 < v <= 0.1; otherwise -1 when v > 1 or v <= -1; otherwise
// -0.1. Significance up: +1 when v >= 1, else +0.1. Down: -1 when v > 1 or v <= 0, else -0.1,
// and a result not above 0 becomes 0.
double sensitivityStepUp(double value);
double sensitivityStepDown(double value);
double significanceStepUp(double value);
double significanceStepDown(double value);

// "Defa&ults": the smoothing width back to 14 and the identification spreads to +-15 keV and 3 %.
void applyPeakPanelDefaults(PeakSearchSettings& panel);

}  // namespace mca
