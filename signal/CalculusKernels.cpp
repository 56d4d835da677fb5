#include "signal/CalculusKernels.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "signal/Approx.h"

namespace kx {

namespace {

constexpr double kSlopeLimit = 1e38;
constexpr double kCoincidence = 1e-5;

const char *const kTooFewForDerivative = "Too few data points to compute a derivative";

double Limit(double v)
{
    return std::clamp(v, -kSlopeLimit, kSlopeLimit);
}

} // namespace

bool DerivativeUniform(const std::vector<double> &y, std::vector<double> &out, double step, double factor)
{
    const std::size_t n = y.size();
    if (n < 4)
        throw std::logic_error(kTooFewForDerivative);
    if (!(step > 0.0))
        return false;
    const double h = factor / (2.0 * step);
    out.resize(n);
    out[0] = h * (-7.0 * y[0] + 6.0 * y[1] + 3.0 * y[2] - 2.0 * y[3]) / 3.0;
    for (std::size_t i = 1; i + 1 < n; ++i)
        out[i] = h * (y[i + 1] - y[i - 1]);
    out[n - 1] = h * (7.0 * y[n - 1] - 6.0 * y[n - 2] - 3.0 * y[n - 3] + 2.0 * y[n - 4]) / 3.0;
    return true;
}

double Slope3Point(double x0, double x1, double x2, double y0, double y1, double y2, int k, int &code)
{
    if (k < 0 || k > 2) {
        code = -5;
        return 0.0;
    }
    if (x0 == x1 && x1 == x2) {
        const double dy = k == 0 ? y1 - y0 : (k == 1 ? y2 - y0 : y2 - y1);
        if (dy == 0.0) {
            code = -3;
            return 0.0;
        }
        code = -4;
        return dy > 0.0 ? kSlopeLimit : -kSlopeLimit;
    }
    if (x0 == x1) {
        code = 2;
        return (y2 - y1) / (x2 - x1);
    }
    if (x1 == x2) {
        code = 1;
        return (y1 - y0) / (x1 - x0);
    }
    const double left = (y1 - y0) / (x1 - x0);
    const double right = (y2 - y1) / (x2 - x1);
    const double r = std::fabs(x1 - x0) / (std::fabs(x2 - x1) + std::fabs(x1 - x0));
    if (r < 0.25 && ApproxEqual(x0, x1, kCoincidence)) {
        code = 2;
        return right;
    }
    if (r > 0.75 && ApproxEqual(x1, x2, kCoincidence)) {
        code = 1;
        return left;
    }
    if (x1 < std::min(x0, x2) || x1 > std::max(x0, x2)) {
        switch (k) {
        case 0:
            code = 1;
            return left;
        case 2:
            code = 2;
            return right;
        default:
            code = 3;
            return r * right + (1.0 - r) * left;
        }
    }
    const double xk = k == 0 ? x0 : (k == 1 ? x1 : x2);
    const double slope = y2 * (2.0 * xk - x0 - x1) / ((x2 - x0) * (x2 - x1)) +
                         y1 * (2.0 * xk - x0 - x2) / ((x1 - x2) * (x1 - x0)) +
                         y0 * (2.0 * xk - x1 - x2) / ((x0 - x2) * (x0 - x1));
    bool nearNeighbour = false;
    if (k == 0)
        nearNeighbour = ApproxEqual(x0, x1, kCoincidence);
    if (k == 1)
        nearNeighbour = ApproxEqual(x1, x0, kCoincidence) || ApproxEqual(x1, x2, kCoincidence);
    if (k == 2)
        nearNeighbour = ApproxEqual(x2, x1, kCoincidence);
    code = nearNeighbour ? 3 : 0;
    return slope;
}

double EndSlope4Point(double x0, double x1, double x2, double x3, double y0, double y1, double y2, double y3, int &code)
{
    int c0 = 0;
    int c1 = 0;
    int c2 = 0;
    const double d0 = Slope3Point(x0, x1, x2, y0, y1, y2, 0, c0);
    const double d1 = Slope3Point(x0, x1, x2, y0, y1, y2, 1, c1);
    const double d2 = Slope3Point(x1, x2, x3, y1, y2, y3, 1, c2);
    if (c1 == 0 && c2 == 0) {
        const double e = (d1 - d2) * (x1 - x0) / (x2 - x1) + d1;
        code = 0;
        return (2.0 * e + d0) / 3.0;
    }
    code = c0;
    return d0;
}

bool DerivativeXY(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out, std::size_t n,
                  double factor)
{
    if (n < 4)
        throw std::logic_error(kTooFewForDerivative);
    if (n > x.size() || n > y.size())
        throw std::logic_error("The number of data (X and Y) points are not same.");

    // Four-point slope at i, looking towards increasing (dir 1) or decreasing indices.
    auto endSlope = [&](std::size_t i, int dir, int &code) {
        const std::size_t i1 = dir > 0 ? i + 1 : i - 1;
        const std::size_t i2 = dir > 0 ? i + 2 : i - 2;
        const std::size_t i3 = dir > 0 ? i + 3 : i - 3;
        return EndSlope4Point(x[i], x[i1], x[i2], x[i3], y[i], y[i1], y[i2], y[i3], code);
    };

    std::vector<double> result(n);
    int code = 0;
    result[0] = Limit(factor * endSlope(0, 1, code));
    result[n - 1] = Limit(factor * endSlope(n - 1, -1, code));
    for (std::size_t i = 1; i + 1 < n; ++i) {
        double slope = Slope3Point(x[i - 1], x[i], x[i + 1], y[i - 1], y[i], y[i + 1], 1, code);
        if (code >= 1 && code <= 3) {
            // Unreliable three-point slope: estimate from four points on each side that has
            // them, weighting each side by the spacing towards it.
            const bool hasLeft = i >= 3;
            const bool hasRight = i + 3 < n;
            int leftCode = 0;
            int rightCode = 0;
            const double left = hasLeft ? endSlope(i, -1, leftCode) : 0.0;
            const double right = hasRight ? endSlope(i, 1, rightCode) : 0.0;
            const double dl = std::fabs(x[i] - x[i - 1]);
            const double dr = std::fabs(x[i + 1] - x[i]);
            if (hasLeft && hasRight && dl + dr > 0.0) {
                const double r = dl / (dl + dr);
                slope = r * left + (1.0 - r) * right;
            } else if (hasLeft) {
                slope = left;
            } else if (hasRight) {
                slope = right;
            }
        }
        result[i] = Limit(factor * slope);
    }
    out = std::move(result);
    return true;
}

void TrapezoidIntegral(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out,
                       std::size_t anchor, double initialValue, double factor)
{
    if (x.empty() || y.empty())
        throw std::logic_error("X or Y data is empty.");
    if (x.size() != y.size())
        throw std::logic_error("The number of data (X and Y) points are not same.");
    const std::size_t n = y.size();
    if (anchor >= n)
        throw std::logic_error("Time zero is outside the data points; the integral has no start");
    std::vector<double> result(n);
    result[anchor] = initialValue;
    for (std::size_t i = anchor + 1; i < n; ++i)
        result[i] = result[i - 1] + (x[i] - x[i - 1]) * factor * 0.5 * (y[i - 1] + y[i]);
    for (std::size_t i = anchor; i >= 1; --i)
        result[i - 1] = result[i] - (x[i] - x[i - 1]) * factor * 0.5 * (y[i] + y[i - 1]);
    out = std::move(result);
}

} // namespace kx
