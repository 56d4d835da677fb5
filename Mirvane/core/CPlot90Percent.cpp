#include "Mirvane/core/CPlot90Percent.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlot90Percent::CPlot90Percent()
    : CPlot(Plot90Percent)
{}

bool CPlot90Percent::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                          std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    AppendBands(records, reference, MeanStdDeviation(records) * 1.6449, "Plus 90%", "Minus 90%", series, labels);
    return true;
}

void CPlot90Percent::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Acceleration (G's)";
}

} // namespace mirvane
