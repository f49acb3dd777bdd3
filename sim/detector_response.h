// What a small NaI(Tl) detector makes of the photons of the chosen sources: the energy each
// detected pulse deposits, drawn from full-energy peaks, their Compton continua and a falling
// room background, blurred by the detector's resolution.
#pragma once

#include "sim/gamma_sources.h"

#include <random>
#include <vector>

namespace mca::sim {

using Random = std::mt19937_64;

// Resolution: FWHM / E = 7 % at 662 keV, scaling as 1 / sqrt(E), so FWHM = 0.07 x sqrt(662 x E).
double fwhmKeV(double energyKeV);

// Share of detected photons that deposit their full energy: 0.3 at 662 keV, rising as
// (662 / E)^0.64 towards low energies, where every interaction ends in photo absorption (capped
// at 1, reached near 100 keV).
double photoFraction(double energyKeV);

// Largest energy one Compton scatter leaves behind: E x (2E / 511) / (1 + 2E / 511).
double comptonEdgeKeV(double energyKeV);

class DetectorResponse {
public:
    // Share of pulses from the room background (with no source every pulse is background).
    static constexpr double kBackgroundFraction = 0.10;
    // Mean energy of the exponentially falling background spectrum.
    static constexpr double kBackgroundMeanKeV = 150.0;

    // Lines at equal source activity; each line is seen in proportion to its yield.
    explicit DetectorResponse(const std::vector<GammaLine>& lines);

    // Energy deposited by the next detected pulse, in keV (>= 0). Draws without allocating.
    double drawEnergyKeV(Random& random);

private:
    struct Line {
        double cumulativeWeight;
        double energyKeV;
        double photoFraction;
        double comptonEdgeKeV;
    };
    double drawFromLine(const Line& line, Random& random);
    double drawBackground(Random& random);
    double blur(double energyKeV, Random& random);

    std::vector<Line> m_lines;
    double m_backgroundFraction;
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
    std::normal_distribution<double> m_normal{0.0, 1.0};
    std::exponential_distribution<double> m_background{1.0 / kBackgroundMeanKeV};
};

}  // namespace mca::sim
