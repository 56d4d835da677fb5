#include "Mirvane/core/CPlotDisp.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotDisp::CPlotDisp()
    : CPlot(PlotDisplacement)
{}

bool CPlotDisp::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                     std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    FillIntegrated(records, reference, 2, series, labels);
    return true;
}

void CPlotDisp::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Displacement (mm)";
}

} // namespace mirvane
