#include "Mirvane/core/CComparison.h"

#include "signal/CNSignal.h"

#include <algorithm>
#include <cmath>

CComparison::CComparison() = default;

CComparison::~CComparison() = default;

double CComparison::GetMomentDifference(int order) const
{
    if (order < 0 || order >= kMomentOrders)
        return 0.0;
    return m_momentDifferences[static_cast<std::size_t>(order)];
}

namespace {

double HalfStep(double dt)
{
    return dt > 0.0 ? 0.5 * dt : 0.0;
}

} // namespace

CComparison::CCommonPoints CComparison::CommonPoints(const kx::CNSignal &a, const kx::CNSignal &b, double dt)
{
    const std::vector<double> &xa = a.GetX();
    const std::vector<double> &xb = b.GetX();
    const std::size_t na = std::min(xa.size(), a.GetY().size());
    const std::size_t nb = std::min(xb.size(), b.GetY().size());
    if (na == 0 || nb == 0)
        return {};
    const double half = HalfStep(dt);
    const double start = std::max(xa.front(), xb.front()) - half;
    const double end = std::min(xa[na - 1], xb[nb - 1]) + half;
    // [first, last) of the points of x inside the shared window.
    const auto range = [&](const std::vector<double> &x, std::size_t n) {
        std::size_t first = 0;
        while (first < n && x[first] < start)
            ++first;
        std::size_t last = first;
        while (last < n && x[last] <= end)
            ++last;
        return std::pair{first, last};
    };
    const auto [firstA, lastA] = range(xa, na);
    const auto [firstB, lastB] = range(xb, nb);
    return {firstA, firstB, std::min(lastA - firstA, lastB - firstB)};
}

void CComparison::CutToWindow(kx::CNSignal &signal, double start, double end, double dt)
{
    const double half = HalfStep(dt);
    signal.TruncateByTime(start - half, end - half);
}

void CComparison::Compare(kx::CNSignal &evaluated, const kx::CNSignal &reference)
{
    const double dt = reference.GetDel();
    if (evaluated.GetDel() != dt)
        evaluated.Interpolate(dt);

    // Both signals now lie on the grid of dt; their times may still differ by float
    // rounding, which the point rule absorbs.
    kx::CNSignal referenceCopy(reference);
    double start = referenceCopy.GetXMin();
    double end = referenceCopy.GetXMax();
    const CCommonPoints common = CommonPoints(evaluated, referenceCopy, dt);
    if (common.count != evaluated.GetYCount() || common.count != referenceCopy.GetYCount()) {
        start = std::max(start, evaluated.GetXMin());
        end = std::min(end, evaluated.GetXMax());
        CutToWindow(evaluated, start, end, dt);
        CutToWindow(referenceCopy, start, end, dt);
    }
    m_windowStart = start;
    m_windowEnd = end;

    ComputeStatistics(evaluated.GetY(), referenceCopy.GetY(), dt);
}

void CComparison::ComputeStatistics(const std::vector<double> &e, const std::vector<double> &f, double dt)
{
    // Both signals are indexed by the reference's count; an evaluated signal that came
    // out shorter through resampling and truncation limits the sums.
    const std::size_t n = std::min(e.size(), f.size());
    m_count = static_cast<std::int32_t>(n);
    const double count = static_cast<double>(n);

    double s1 = 0.0;
    double s2 = 0.0;
    double peak = 0.0;
    double referencePeak = 0.0;
    std::size_t outside = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double r = e[i] - f[i];
        s1 += r;
        s2 += r * r;
        peak = std::max(peak, std::fabs(e[i]));
        referencePeak = std::max(referencePeak, std::fabs(f[i]));
        if (std::fabs(r) > m_corridorSize)
            ++outside;
    }
    m_residualSum = s1;
    m_residualSquareSum = s2;
    m_peak = peak;
    m_referencePeak = referencePeak;
    m_percentOutside = static_cast<double>(outside) * 100.0 / count;

    // Cancellation can leave a slightly negative variance for a constant residual.
    double variance = (s2 - s1 * s1 / count) / count;
    if (variance < 0.0)
        variance = 0.0;
    m_stdDeviation = std::sqrt(variance);
    m_tStatistic = (s1 / count) / (m_stdDeviation / std::sqrt(count));

    std::array<double, kMomentOrders> me{};
    std::array<double, kMomentOrders> mf{};
    double ief = 0.0;
    double iee = 0.0;
    double iff = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double w = (i == 0 || i + 1 == n) ? 1.0 : 2.0;
        const double t = static_cast<double>(i + 1) * dt;
        double power = 1.0;
        for (int k = 0; k < kMomentOrders; ++k) {
            me[static_cast<std::size_t>(k)] += w * power * e[i];
            mf[static_cast<std::size_t>(k)] += w * power * f[i];
            power *= t;
        }
        ief += w * e[i] * f[i];
        iee += w * e[i] * e[i];
        iff += w * f[i] * f[i];
    }
    for (std::size_t k = 0; k < me.size(); ++k)
        m_momentDifferences[k] = std::fabs((me[k] - mf[k]) / me[k]);

    ief *= 0.5 * dt;
    iee *= 0.5 * dt;
    iff *= 0.5 * dt;
    m_correlation = ief / (std::sqrt(iff) * std::sqrt(iee));
}
