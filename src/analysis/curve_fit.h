// TCurveFit: a running-sum least-squares accumulator for straight lines, parabolas and the
// correlation coefficient. It keeps only sums, never the points: adding a point and evaluating a
// fit are constant time and allocate nothing.
#pragma once

#include <stdexcept>

namespace mca {

// A linear fit over points that all share one x value divides by zero.
class FitDivisionError : public std::domain_error {
public:
    using std::domain_error::domain_error;
};

struct LinearFitResult {
    double k = 0;   // slope
    double d = 0;   // intercept
    double q = 0;   // coefficient of determination
};

struct ParabolicFitResult {
    double a0 = 0;
    double a1 = 0;
    double a2 = 0;
    double q = 0;
};

class TCurveFit {
public:
    void Reset();
    void AddPoint(double x, double y);
    // y = d + k x; q is the coefficient of determination (1 when every y is the same). All zero
    // below two points. Throws FitDivisionError when n Sxx - Sx^2 is exactly 0 (every x the same).
    LinearFitResult LinearFit() const;
    // y = a0 + a1 x + a2 x^2. All zero below three points; never throws.
    ParabolicFitResult ParabolicFit() const;
    // Pearson's r; 0 below three points or for a degenerate series.
    double CorrelationCoefficient() const;
    int pointCount() const { return m_n; }

private:
    int m_n = 0;
    double m_sx = 0, m_sy = 0, m_sxx = 0, m_syy = 0, m_sxy = 0, m_sxxy = 0, m_sxxx = 0, m_sxxxx = 0;
};

}  // namespace mca
