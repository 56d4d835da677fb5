#include "HIC/core/CHicSurface.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "HIC/core/KxHicCriteria.h"

namespace hic {

CHicSurface::CHicSurface(const std::vector<double> &y, double dt, std::int32_t nfp)
    : m_dt(dt)
    , m_nfp(nfp)
{
    if (!(dt > 0.0) || !std::isfinite(dt))
        throw std::logic_error("Del = 0.0 is unacceptable.");
    if (y.size() < 2)
        throw std::logic_error("Not enough data points");
    m_last = static_cast<std::int64_t>(y.size()) - 1;
    KxHicCriteria::RunningIntegral(y, 0, m_last, m_c);
}

std::int64_t CHicSurface::Index(double time) const
{
    // Sample i lies at (NFP + i) * dt, whatever the sign of NFP.
    return static_cast<std::int64_t>(std::llround(time / m_dt)) - m_nfp;
}

int CHicSurface::Count(double from, double to, double every)
{
    if (!(every > 0.0) || !(to > from))
        return 0;
    const double n = std::trunc((to - from) / every + 0.5);
    if (!(n < 2.0e9))
        return 0;
    return static_cast<int>(n);
}

double CHicSurface::ContourFactor(double maximum)
{
    if (!(maximum > kContourLimit))
        return 1.0;
    // c = 1, times 10 while c < trunc(maximum / limit); the factor is c / 10 in whole
    // numbers, and 1 where that leaves nothing.
    const double ratio = std::trunc(maximum / kContourLimit);
    double c = 1.0;
    while (c < ratio && c < 1.0e300)
        c *= 10.0;
    const double factor = std::trunc(c / 10.0);
    return factor < 1.0 ? 1.0 : factor;
}

bool CHicSurface::Row(double from, double to, double every, double window, double *out, std::size_t count,
                      std::string &error) const
{
    const double tolerance = m_dt * 1.0e-6;
    if (from < FirstTime() - tolerance) {
        error = "Start Time is before beginning of data";
        return false;
    }
    if (to > LastTime() + tolerance) {
        error = "Stop Time is after end of data";
        return false;
    }
    if (count == 0 || !(every > 0.0) || !(window > 0.0))
        return true;
    const std::int64_t n = static_cast<std::int64_t>(std::llround(window / m_dt));
    if (n < 1 || n > m_last)
        return true;
    // Starts before `end`, and every window ends at or before the last sample.
    const std::int64_t end = std::min(Index(to), m_last - n + 1);
    std::int64_t i = std::max<std::int64_t>(Index(from), 0);
    std::int64_t step = std::max<std::int64_t>(std::llround(every / m_dt), 1);
    const auto wanted = static_cast<std::int64_t>(count);
    if (end > i && wanted < (end - i) / step)
        step = std::max<std::int64_t>((end - i) / wanted, 1);
    const double duration = static_cast<double>(n) * m_dt;
    const double samples = static_cast<double>(n);
    for (std::size_t k = 0; k < count && i < end; ++k, i += step) {
        const double mean = (m_c[static_cast<std::size_t>(i + n)] - m_c[static_cast<std::size_t>(i)]) / samples;
        out[k] = std::pow(mean, 2.5) * duration;
    }
    return true;
}

bool CHicSurface::Compute(const SurfaceParams &p, SurfaceResult &result, std::string &error) const
{
    SurfaceResult r;
    r.starts = Count(p.startFrom, p.startTo, p.startEvery);
    r.windows = Count(p.windowFrom, p.windowTo, p.windowEvery);
    const auto starts = static_cast<std::size_t>(r.starts);
    const auto windows = static_cast<std::size_t>(r.windows);
    if (starts != 0 && windows > kMaxValues / starts) {
        error = "Response surface too large: use fewer start times or window sizes";
        return false;
    }
    r.values.assign(starts * windows, 0.0);
    for (std::size_t k = 0; k < windows; ++k) {
        const double window = p.windowFrom + static_cast<double>(k) * p.windowEvery;
        double *row = r.values.data() + k * starts;
        if (!Row(p.startFrom, p.startTo, p.startEvery, window, row, starts, error))
            return false;
        for (std::size_t j = 0; j < starts; ++j)
            r.maximum = std::max(r.maximum, row[j]);
    }
    r.factor = ContourFactor(r.maximum);
    if (r.factor > 1.0) {
        for (double &v : r.values)
            v /= r.factor;
    }
    result = std::move(r);
    return true;
}

} // namespace hic
