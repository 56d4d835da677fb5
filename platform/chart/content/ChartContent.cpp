#include "platform/chart/content/ChartContent.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace kxchart {

void ChartContent::curvePoints(int curve, std::vector<double> &xs, std::vector<double> &ys) const
{
    xs.clear();
    ys.clear();
    if (curve < 0 || curve >= curves || points <= 0)
        return;
    if (!sharedCurves.empty()) {
        if (size_t(curve) >= sharedCurves.size() || !sharedCurves[size_t(curve)].x || !sharedCurves[size_t(curve)].y)
            return;
        const std::vector<double> &sx = *sharedCurves[size_t(curve)].x;
        const std::vector<double> &sy = *sharedCurves[size_t(curve)].y;
        const size_t n = std::min({sx.size(), sy.size(), size_t(points)});
        xs.assign(sx.begin(), sx.begin() + std::ptrdiff_t(n));
        ys.assign(sy.begin(), sy.begin() + std::ptrdiff_t(n));
        return;
    }
    const size_t begin = size_t(curve) * size_t(points);
    const size_t end = std::min({begin + size_t(points), x.size(), y.size()});
    const double gap = std::numeric_limits<double>::quiet_NaN();
    for (size_t i = begin; i < end; ++i) {
        const bool missing = nullValue && (x[i] == *nullValue || y[i] == *nullValue);
        xs.push_back(missing ? gap : x[i]);
        ys.push_back(missing ? gap : y[i]);
    }
    // Padding at the end of a shorter curve is not part of it.
    while (!xs.empty() && std::isnan(xs.back())) {
        xs.pop_back();
        ys.pop_back();
    }
}

} // namespace kxchart
