#include "Mirvane/core/CPlotCrossCorrelation.h"

#include "Mirvane/core/PlotHelpers.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace mirvane {

CPlotCrossCorrelation::CPlotCrossCorrelation()
    : CPlot(PlotCrossCorrelation)
{}

bool CPlotCrossCorrelation::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                                 std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    const double dt = reference.GetDel();
    const int lags = dt > 0.0 ? static_cast<int>(0.01 / dt) : 0;
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    made.push_back(Series(reference.GetY(), reference.GetY(), lags, dt));
    names.emplace_back("Reference");
    for (const CSignal &record : records) {
        const CAlignedPair pair = AlignedCopies(record.Signal(), reference);
        made.push_back(Series(pair.reference.GetY(), pair.evaluated.GetY(), lags, dt));
        names.push_back(FileTitle(record.GetFileName()));
    }
    series = std::move(made);
    labels = std::move(names);
    return true;
}

double CPlotCrossCorrelation::Covariance(const std::vector<double> &a, const std::vector<double> &b, int k)
{
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(std::min(a.size(), b.size()));
    const std::ptrdiff_t first = std::max<std::ptrdiff_t>(0, k);
    const std::ptrdiff_t end = std::min<std::ptrdiff_t>(n, n + k);
    if (end <= first)
        return 0.0;
    const double *pa = a.data();
    const double *pb = b.data() - k;
    // Independent partial sums keep the adder busy.
    std::array<double, 4> sum{};
    std::ptrdiff_t i = first;
    for (; i + 4 <= end; i += 4) {
        sum[0] += pa[i] * pb[i];
        sum[1] += pa[i + 1] * pb[i + 1];
        sum[2] += pa[i + 2] * pb[i + 2];
        sum[3] += pa[i + 3] * pb[i + 3];
    }
    for (; i < end; ++i)
        sum[0] += pa[i] * pb[i];
    return (sum[0] + sum[1] + sum[2] + sum[3]) / static_cast<double>(end - first);
}

kx::CNSignal CPlotCrossCorrelation::Series(const std::vector<double> &a, const std::vector<double> &b, int lags,
                                           double dt)
{
    const std::size_t n = std::min(a.size(), b.size());
    if (n == 0)
        throw std::logic_error("No Y Signal Data");
    auto centred = [n](const std::vector<double> &v) {
        double mean = 0.0;
        for (const double value : v)
            mean += value;
        mean /= static_cast<double>(v.size());
        std::vector<double> out(n);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = v[i] - mean;
        return out;
    };
    const std::vector<double> ca = centred(a);
    const std::vector<double> cb = centred(b);
    // No lag beyond the length of the signals.
    lags = static_cast<int>(std::min<std::ptrdiff_t>(lags, static_cast<std::ptrdiff_t>(n) - 1));
    std::vector<double> x;
    std::vector<double> y;
    x.reserve(static_cast<std::size_t>(2 * lags + 1));
    y.reserve(static_cast<std::size_t>(2 * lags + 1));
    for (int k = -lags; k <= lags; ++k) {
        x.push_back(k * dt);
        y.push_back(Covariance(ca, cb, k));
    }
    return ComputedSeries(std::move(x), std::move(y), "CROSS CORRELATION");
}

void CPlotCrossCorrelation::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = "Time Offset";
    yTitle = "Cross Correlation";
}

} // namespace mirvane
