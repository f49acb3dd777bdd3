// What the energy-calibration fit display ("ECal Fit...") shows: the two fitted equations, their
// fit qualities, and the series it plots (stored points, the line and the parabola).
#pragma once

#include "calibration/detector_record.h"
#include "calibration/energy_calibration.h"

#include <optional>
#include <string>
#include <vector>

namespace mca {

struct EnergyFitTexts {
    std::string linearEquation;      // "y = 0.5x  + 10"
    std::string linearFit;           // "Fit = 0.999"
    std::string quadraticEquation;   // "y = 1E-5x² - 0.5x + 10" (U+00B2 in memory)
    std::string quadraticFit;
};

// Coefficients in general format with 4 significant digits; a negative term shows " - " and its
// magnitude. Qualities in full form.
std::string linearEquationText(double k, double d);
std::string quadraticEquationText(double a0, double a1, double a2);
EnergyFitTexts energyFitTexts(const EnergyCalibration& cal);

struct EnergyFitPlot {
    std::vector<EnergyPoint> points;   // the record's usable points, channel across, keV up
    std::vector<double> linearKeV;     // k ch + d at ch = 0 .. R
    std::vector<double> quadraticKeV;  // a0 + a1 ch + a2 ch^2 at ch = 0 .. R
    // ChannelToKeV(R): the top of the vertical axis; none when no calibration applies.
    std::optional<double> axisMaxKeV;
};

EnergyFitPlot energyFitPlot(const EnergyCalibration& cal, const DetectorRecord& record, int channelCount);

}  // namespace mca
