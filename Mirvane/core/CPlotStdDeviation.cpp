#include "Mirvane/core/CPlotStdDeviation.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotStdDeviation::CPlotStdDeviation()
    : CPlot(PlotStdDeviation)
{}

bool CPlotStdDeviation::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                             std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    AppendBands(records, reference, MeanStdDeviation(records), "Plus 1 Std Dev", "Minus 1 Std Dev", series, labels);
    return true;
}

void CPlotStdDeviation::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Acceleration (G's)";
}

} // namespace mirvane
