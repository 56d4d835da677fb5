#pragma once
// Approximate comparison and rounding used by the resampling code.

#include <algorithm>
#include <cmath>
#include <limits>

namespace kx {

// True when both are exactly zero, or when |a - b| < tol * max(|a|, |b|).
inline bool ApproxEqual(double a, double b, double tol)
{
    if (a == 0.0 && b == 0.0)
        return true;
    return std::fabs(a - b) < tol * std::max(std::fabs(a), std::fabs(b));
}

// Rounds halves away from zero. Values beyond the int range saturate; NaN gives 0.
inline int Round(double x)
{
    if (std::isnan(x))
        return 0;
    const double r = x >= 0.0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// True when x rounds to an int without saturating.
inline bool FitsInt(double x)
{
    return std::fabs(x) < static_cast<double>(std::numeric_limits<int>::max()) - 1.0;
}

} // namespace kx
