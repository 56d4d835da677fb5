#pragma once
// Numeric kernels of differentiation and integration: vectors in, vectors out.

#include <cstddef>
#include <vector>

namespace kx {

// Derivative of samples on a constant step: central differences inside, a four-point
// rule at both ends (exact up to parabolas). Needs at least four samples (throws
// otherwise); false for a step that is not positive. out is resized to y.
bool DerivativeUniform(const std::vector<double> &y, std::vector<double> &out, double step, double factor);

// Slope at x_k (k = 0, 1, 2) of the parabola through three points, with fallbacks for
// coinciding or unordered abscissae. code: 0 general, 1 left slope, 2 right slope,
// 3 blended or nearly coincident, -3 no slope (flat), -4 infinite, -5 bad k.
double Slope3Point(double x0, double x1, double x2, double y0, double y1, double y2, int k, int &code);

// Slope at x0 from four points: the parabola slope at x0 corrected by the change of the
// slopes at x1 and x2. code is 0 when the correction was applied, else Slope3Point's.
double EndSlope4Point(double x0, double x1, double x2, double x3, double y0, double y1, double y2, double y3,
                      int &code);

// Derivative of the first n points of X-Y samples on any abscissae; every slope times
// factor, limited to +-1e38. Needs at least four points and n within both vectors
// (throws otherwise).
bool DerivativeXY(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out, std::size_t n,
                  double factor);

// Trapezoid integral of Y over X, out[anchor] = initialValue, integrated forwards and
// backwards from the anchor; throws when the sizes differ or anchor is outside.
void TrapezoidIntegral(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out,
                       std::size_t anchor, double initialValue, double factor);

} // namespace kx
