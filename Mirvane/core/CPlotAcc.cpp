#include "Mirvane/core/CPlotAcc.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotAcc::CPlotAcc()
    : CPlot(PlotAcceleration)
{}

bool CPlotAcc::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                    std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    AppendReferenceAndRecords(records, reference, series, labels);
    return true;
}

void CPlotAcc::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Acceleration (G's)";
}

} // namespace mirvane
