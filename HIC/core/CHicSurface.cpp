#include "HIC/core/CHicSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace hic {

namespace {

// Samples of the running integral held at a time: small enough to stay in the cache.
constexpr std::int64_t kChunk = std::int64_t{1} << 16;

} // namespace

CHicSurface::CHicSurface(std::span<const double> y, double dt, std::int32_t nfp)
    : m_y(y)
    , m_dt(dt)
    , m_nfp(nfp)
{
    if (!(dt > 0.0) || !std::isfinite(dt))
        throw std::logic_error("Del = 0.0 is unacceptable.");
    if (y.size() < 2)
        throw std::logic_error("Not enough data points");
    m_last = static_cast<std::int64_t>(y.size()) - 1;
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

bool CHicSurface::CheckTimes(double from, double to, std::string &error) const
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
    return true;
}

CHicSurface::RowPlan CHicSurface::Plan(double from, double to, double every, double window, double *out,
                                       std::size_t count) const
{
    RowPlan plan;
    plan.out = out;
    if (count == 0 || !(every > 0.0) || !(window > 0.0))
        return plan;
    const std::int64_t n = static_cast<std::int64_t>(std::llround(window / m_dt));
    if (n < 1 || n > m_last)
        return plan;
    // Starts before `end`, and every window ends at or before the last sample.
    const std::int64_t end = std::min(Index(to), m_last - n + 1);
    const std::int64_t first = std::max<std::int64_t>(Index(from), 0);
    std::int64_t step = std::max<std::int64_t>(std::llround(every / m_dt), 1);
    const auto wanted =
        static_cast<std::int64_t>(std::min<std::size_t>(count, std::numeric_limits<std::int64_t>::max()));
    if (end > first && wanted < (end - first) / step)
        step = std::max<std::int64_t>((end - first) / wanted, 1);
    plan.n = n;
    plan.first = first;
    plan.step = step;
    plan.count = end > first ? std::min(wanted, (end - first + step - 1) / step) : 0;
    return plan;
}

bool CHicSurface::Fill(std::vector<RowPlan> &rows, const Progress &progress) const
{
    // The last sample any window reaches.
    std::int64_t last = -1;
    for (const RowPlan &r : rows) {
        if (r.count > 0)
            last = std::max(last, r.first + (r.count - 1) * r.step + r.n);
    }
    if (last < 0)
        return true;
    // Per row, the next window whose start, and whose end, the pass has not reached yet.
    // A start's integral waits in the row's own output until its end comes by.
    std::vector<std::int64_t> nextStart(rows.size(), 0), nextEnd(rows.size(), 0);
    std::vector<double> c(static_cast<std::size_t>(std::min(kChunk, last + 1)));
    double before = 0.0; // integral at the sample before the chunk
    for (std::int64_t lo = 0; lo <= last; lo += kChunk) {
        const std::int64_t hi = std::min(lo + kChunk, last + 1);
        // c[i] = c[i - 1] + (|a[i]| + |a[i - 1]|) / 2 from c[0] = 0, as in the HIC search.
        const auto at = [&](std::int64_t i) -> double & { return c[static_cast<std::size_t>(i - lo)]; };
        const auto a = [&](std::int64_t i) { return std::fabs(m_y[static_cast<std::size_t>(i)]); };
        std::int64_t i = lo;
        if (lo == 0)
            at(i++) = 0.0;
        double sum = lo == 0 ? 0.0 : before;
        for (; i < hi; ++i) {
            sum = sum + (a(i) + a(i - 1)) * 0.5;
            at(i) = sum;
        }
        before = at(hi - 1);
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const RowPlan &r = rows[k];
            std::int64_t w = nextStart[k];
            for (std::int64_t s = r.first + w * r.step; w < r.count && s < hi; ++w, s += r.step)
                r.out[w] = at(s);
            nextStart[k] = w;
            const double samples = static_cast<double>(r.n);
            const double duration = static_cast<double>(r.n) * m_dt;
            w = nextEnd[k];
            for (std::int64_t e = r.first + w * r.step + r.n; w < r.count && e < hi; ++w, e += r.step) {
                const double mean = (at(e) - r.out[w]) / samples;
                r.out[w] = std::pow(mean, 2.5) * duration;
            }
            nextEnd[k] = w;
        }
        if (progress && !progress(static_cast<double>(hi) / static_cast<double>(last + 1)))
            return false;
    }
    return true;
}

bool CHicSurface::Row(double from, double to, double every, double window, double *out, std::size_t count,
                      std::string &error) const
{
    if (!CheckTimes(from, to, error))
        return false;
    std::vector<RowPlan> rows{Plan(from, to, every, window, out, count)};
    Fill(rows, {});
    return true;
}

CHicSurface::Outcome CHicSurface::Run(const SurfaceParams &p, SurfaceResult &result, std::string &error,
                                      const Progress &progress) const
{
    SurfaceResult r;
    r.starts = Count(p.startFrom, p.startTo, p.startEvery);
    r.windows = Count(p.windowFrom, p.windowTo, p.windowEvery);
    const auto starts = static_cast<std::size_t>(r.starts);
    const auto windows = static_cast<std::size_t>(r.windows);
    if (starts != 0 && windows > kMaxValues / starts) {
        error = "Response surface too large: use fewer start times or window sizes";
        return Outcome::Refused;
    }
    if (windows > 0 && !CheckTimes(p.startFrom, p.startTo, error))
        return Outcome::Refused;
    r.values.assign(starts * windows, 0.0);
    std::vector<RowPlan> rows;
    rows.reserve(windows);
    for (std::size_t k = 0; k < windows; ++k) {
        const double window = p.windowFrom + static_cast<double>(k) * p.windowEvery;
        rows.push_back(Plan(p.startFrom, p.startTo, p.startEvery, window, r.values.data() + k * starts, starts));
    }
    if (!Fill(rows, progress))
        return Outcome::Cancelled;
    for (double v : r.values)
        r.maximum = std::max(r.maximum, v);
    r.factor = ContourFactor(r.maximum);
    if (r.factor > 1.0) {
        for (double &v : r.values)
            v /= r.factor;
    }
    result = std::move(r);
    return Outcome::Done;
}

} // namespace hic
