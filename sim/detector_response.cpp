// The detector's response to the photons of the sources.
#include "sim/detector_response.h"

#include <algorithm>
#include <cmath>

namespace mca::sim {

namespace {
constexpr double kElectronRestKeV = 511.0;
constexpr double kReferenceKeV = 662.0;
constexpr double kReferenceResolution = 0.07;
constexpr double kReferencePhotoFraction = 0.3;
constexpr double kPhotoFractionExponent = 0.64;
constexpr double kFwhmPerSigma = 2.354820045;
// The Klein-Nishina energy transfer is flat with a rise towards the Compton edge; a quarter of the
// continuum drawn with density rising linearly to the edge gives that shape closely enough.
constexpr double kEdgeRiseShare = 0.25;
}  // namespace

double fwhmKeV(double energyKeV) { return kReferenceResolution * std::sqrt(kReferenceKeV * std::max(energyKeV, 0.0)); }

double photoFraction(double energyKeV) {
    if (energyKeV <= 0) return 1.0;
    return std::min(1.0, kReferencePhotoFraction * std::pow(kReferenceKeV / energyKeV, kPhotoFractionExponent));
}

double comptonEdgeKeV(double energyKeV) {
    const double twoAlpha = 2.0 * energyKeV / kElectronRestKeV;
    return energyKeV * twoAlpha / (1.0 + twoAlpha);
}

DetectorResponse::DetectorResponse(const std::vector<GammaLine>& lines)
    : m_backgroundFraction(lines.empty() ? 1.0 : kBackgroundFraction) {
    double total = 0;
    for (const auto& line : lines) total += line.yield;
    double cumulative = 0;
    for (const auto& line : lines) {
        cumulative += line.yield / total;
        m_lines.push_back({cumulative, line.energyKeV, photoFraction(line.energyKeV), comptonEdgeKeV(line.energyKeV)});
    }
    if (!m_lines.empty()) m_lines.back().cumulativeWeight = 1.0;
}

double DetectorResponse::drawEnergyKeV(Random& random) {
    if (m_unit(random) < m_backgroundFraction) return drawBackground(random);
    const double u = m_unit(random);
    const auto it = std::lower_bound(m_lines.begin(), m_lines.end(), u,
                                     [](const Line& line, double value) { return line.cumulativeWeight < value; });
    return drawFromLine(it == m_lines.end() ? m_lines.back() : *it, random);
}

double DetectorResponse::drawFromLine(const Line& line, Random& random) {
    if (m_unit(random) < line.photoFraction) return blur(line.energyKeV, random);
    const double u = m_unit(random);
    const double share = m_unit(random) < kEdgeRiseShare ? std::sqrt(u) : u;
    return blur(line.comptonEdgeKeV * share, random);
}

double DetectorResponse::drawBackground(Random& random) { return blur(m_background(random), random); }

double DetectorResponse::blur(double energyKeV, Random& random) {
    const double sigma = fwhmKeV(energyKeV) / kFwhmPerSigma;
    return std::max(0.0, energyKeV + sigma * m_normal(random));
}

}  // namespace mca::sim
