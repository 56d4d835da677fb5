#include "Mirvane/core/CPlotCumulativeDensity.h"

#include "Mirvane/core/PlotHelpers.h"

#include <algorithm>

namespace mirvane {

CPlotCumulativeDensity::CPlotCumulativeDensity()
    : CPlot(PlotCumulativeDensity)
{}

bool CPlotCumulativeDensity::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                                  std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    FillPerRecord(
        records,
        [&reference](const CSignal &record) {
            std::vector<double> r = Residuals(AlignedCopies(record.Signal(), reference));
            std::sort(r.begin(), r.end());
            const double s = record.Comparison().GetStdDeviation();
            std::vector<double> x(kDensityPoints, kMissingValue);
            std::vector<double> y(kDensityPoints, kMissingValue);
            const double step = 4.0 * s / 99.0;
            double at = -2.0 * s;
            for (std::size_t j = 0; at < 2.0 * s && j < kDensityPoints && !r.empty(); ++j, at += step) {
                const auto below = std::lower_bound(r.begin(), r.end(), at) - r.begin();
                x[j] = at;
                y[j] = 100.0 * static_cast<double>(below) / static_cast<double>(r.size());
            }
            return ComputedSeries(std::move(x), std::move(y), "PERCENT");
        },
        series, labels);
    return true;
}

void CPlotCumulativeDensity::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = "Residual";
    yTitle = "Percent Less than X (%)";
}

} // namespace mirvane
