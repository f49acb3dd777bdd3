// Peak-panel settings: the store link, the spin-button steps and the defaults button.
#include "analysis/peak_search_settings.h"

namespace mca {

PeakSearchSettings peakSearchSettingsFrom(const Settings& stored) {
    PeakSearchSettings panel;
    panel.sensitivity = stored.sensitivity;
    panel.minSignificance = stored.significance;
    panel.smoothWidth = stored.smooth;
    panel.lowCutoffChannel = stored.cutoffChannel;
    panel.idWindow.keVSpread = stored.keVOfCentroid;
    panel.idWindow.percentSpread = stored.percentOfCentroid;
    if (stored.searchByKeV) {
        panel.idWindow.rule = IdWindowRule::KeV;
    } else if (stored.searchByPercent) {
        panel.idWindow.rule = IdWindowRule::Percent;
    } else if (stored.searchByArea) {
        panel.idWindow.rule = IdWindowRule::Area;
    } else if (stored.searchByFwhm) {
        panel.idWindow.rule = IdWindowRule::Fwhm;
    }
    return panel;
}

void storePeakSearchSettings(const PeakSearchSettings& panel, Settings& stored) {
    stored.sensitivity = panel.sensitivity;
    stored.significance = panel.minSignificance;
    stored.smooth = panel.smoothWidth;
    stored.cutoffChannel = panel.lowCutoffChannel;
}

double sensitivityStepUp(double value) {
    if (value < 0.1 && value >= -1) return value + 0.01;
    if (value >= 1 || value < -1) return value + 1;
    return value + 0.1;
}

double sensitivityStepDown(double value) {
    if (value <= 0.1 && value > -1) return value - 0.01;
    if (value > 1 || value <= -1) return value - 1;
    return value - 0.1;
}

double significanceStepUp(double value) { return value + (value >= 1 ? 1.0 : 0.1); }

double significanceStepDown(double value) {
    const double result = value - (value > 1 || value <= 0 ? 1.0 : 0.1);
    return result > 0 ? result : 0.0;
}

void applyPeakPanelDefaults(PeakSearchSettings& panel) {
    panel.smoothWidth = 14;
    panel.idWindow.keVSpread = 15.0;
    panel.idWindow.percentSpread = 3.0;
}

}  // namespace mca
