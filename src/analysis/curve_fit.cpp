// TCurveFit: closed-form least-squares solutions evaluated from running sums.
//
// Products and the fit expressions are formed in long double (the processor's widest format) and
// rounded to double where a value is kept: each sum as it is added to, the four intermediates of
// the parabola, and the results. Fits over the same points therefore come out the same on every
// run, whatever order the compiler would have chosen for double arithmetic.
#include "analysis/curve_fit.h"

#include <cmath>

namespace mca {

namespace {

using Wide = long double;

// sum <- sum + term, rounded once to double.
void accumulate(double& sum, Wide term) {
    sum = static_cast<double>(sum + term);
}

}  // namespace

void TCurveFit::Reset() {
    *this = TCurveFit{};
}

void TCurveFit::AddPoint(double x, double y) {
    const Wide wx = x;
    const Wide wy = y;
    const Wide xx = wx * wx;
    ++m_n;
    accumulate(m_sx, wx);
    accumulate(m_sy, wy);
    accumulate(m_sxx, xx);
    accumulate(m_syy, wy * wy);
    accumulate(m_sxy, wx * wy);
    accumulate(m_sxxy, xx * wy);
    accumulate(m_sxxx, xx * wx);
    accumulate(m_sxxxx, xx * xx);
}

// k = (n Sxy - Sx Sy) / (n Sxx - Sx^2),  d = (Sxx Sy - Sx Sxy) / (n Sxx - Sx^2),
// q = (d Sy + k Sxy - Sy^2/n) / (Syy - Sy^2/n), or 1 when that denominator is exactly 0.
LinearFitResult TCurveFit::LinearFit() const {
    LinearFitResult fit;
    if (m_n < 2) {
        return fit;
    }
    const Wide n = m_n;
    const Wide denominator = n * m_sxx - Wide{m_sx} * m_sx;
    if (denominator == 0) {
        throw FitDivisionError("Linear fit over points that all share one x value");
    }
    fit.k = static_cast<double>((n * m_sxy - Wide{m_sx} * m_sy) / denominator);
    fit.d = static_cast<double>((Wide{m_sxx} * m_sy - Wide{m_sx} * m_sxy) / denominator);
    const Wide meanSquare = Wide{m_sy} * m_sy / n;
    const Wide spread = m_syy - meanSquare;
    fit.q = spread == 0 ? 1.0
                        : static_cast<double>((Wide{fit.d} * m_sy + Wide{fit.k} * m_sxy - meanSquare) / spread);
    return fit;
}

// With L = n Sxx - Sx^2, M = L (n Sx4 - Sxx^2), O = n Sx3 - Sxx Sx, H = n Sxy - Sx Sy:
// a2 = (L (n Sxxy - Sxx Sy) - O H) / (M - O^2),  a1 = (H - O a2) / L,
// a0 = (Sy - a1 Sx - a2 Sxx) / n,  q = (a0 Sy + a1 Sxy + a2 Sxxy - Sy^2/n) / (Syy - Sy^2/n).
// The divisions by M - O^2 and L are guarded (the coefficient stays 0); n is at least 3.
ParabolicFitResult TCurveFit::ParabolicFit() const {
    ParabolicFitResult fit;
    if (m_n < 3) {
        return fit;
    }
    const Wide n = m_n;
    const double l = static_cast<double>(n * m_sxx - Wide{m_sx} * m_sx);
    const double m = static_cast<double>(Wide{l} * (n * m_sxxxx - Wide{m_sxx} * m_sxx));
    const double o = static_cast<double>(n * m_sxxx - Wide{m_sxx} * m_sx);
    const double h = static_cast<double>(n * m_sxy - Wide{m_sx} * m_sy);

    const Wide a2Denominator = m - Wide{o} * o;
    if (a2Denominator != 0) {
        fit.a2 = static_cast<double>((Wide{l} * (n * m_sxxy - Wide{m_sxx} * m_sy) - Wide{o} * h) / a2Denominator);
    }
    if (l != 0) {
        fit.a1 = static_cast<double>((h - Wide{o} * fit.a2) / l);
    }
    fit.a0 = static_cast<double>((m_sy - Wide{fit.a1} * m_sx - Wide{fit.a2} * m_sxx) / n);

    const Wide meanSquare = Wide{m_sy} * m_sy / n;
    const Wide spread = m_syy - meanSquare;
    fit.q = spread == 0 ? 1.0
                        : static_cast<double>((Wide{fit.a0} * m_sy + Wide{fit.a1} * m_sxy +
                                               Wide{fit.a2} * m_sxxy - meanSquare) / spread);
    return fit;
}

// r = (Sxy - Sx Sy / n) / sqrt(|Sxx' Syy'|) with Sxx' = Sxx - Sx^2/n and Syy' = Syy - Sy^2/n.
double TCurveFit::CorrelationCoefficient() const {
    if (m_n < 3 || !(m_sxx > 0) || !(m_syy > 0)) {
        return 0.0;
    }
    const Wide n = m_n;
    const Wide centredXX = m_sxx - Wide{m_sx} * m_sx / n;
    const Wide centredYY = m_syy - Wide{m_sy} * m_sy / n;
    if (centredXX == 0 || centredYY == 0) {
        return 0.0;
    }
    return static_cast<double>((m_sxy - Wide{m_sx} * m_sy / n) / std::sqrt(std::fabs(centredXX * centredYY)));
}

}  // namespace mca
