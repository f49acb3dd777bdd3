// Texts and series of the energy-calibration fit display.
#include "calibration/energy_fit_display.h"

#include "core/number_text.h"

#include <cmath>

namespace mca {

namespace {

constexpr int kCoefficientDigits = 4;
constexpr const char* kSuperscriptTwo = "\u00B2";

std::string coefficient(double value) {
    return formatGeneral(value, kCoefficientDigits);
}

// " + |value|" or " - |value|".
std::string signedTerm(double value) {
    return (value < 0 ? " - " : " + ") + coefficient(std::fabs(value));
}

}  // namespace

std::string linearEquationText(double k, double d) {
    return "y = " + coefficient(k) + "x " + signedTerm(d);
}

std::string quadraticEquationText(double a0, double a1, double a2) {
    return "y = " + coefficient(a2) + "x" + kSuperscriptTwo + signedTerm(a1) + "x" + signedTerm(a0);
}

EnergyFitTexts energyFitTexts(const EnergyCalibration& cal) {
    return {linearEquationText(cal.k, cal.d), "Fit = " + formatFull(cal.linearQuality),
            quadraticEquationText(cal.a0, cal.a1, cal.a2), "Fit = " + formatFull(cal.quadraticQuality)};
}

EnergyFitPlot energyFitPlot(const EnergyCalibration& cal, const DetectorRecord& record, int channelCount) {
    EnergyFitPlot plot;
    for (int k = 0; k < kCalibrationPointCount; ++k) {
        if (const std::optional<EnergyPoint> point = energyCalibrationPoint(record, k)) {
            plot.points.push_back(*point);
        }
    }
    for (int channel = 0; channel <= channelCount; ++channel) {
        const double x = channel;
        plot.linearKeV.push_back(cal.k * x + cal.d);
        plot.quadraticKeV.push_back(cal.a0 + cal.a1 * x + cal.a2 * x * x);
    }
    if (energyCalibrationKind(cal) != EnergyCalibrationKind::None) {
        plot.axisMaxKeV = ChannelToKeV(cal, channelCount);
    }
    return plot;
}

}  // namespace mca
