#include "Mirvane/core/CPlotVel.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotVel::CPlotVel()
    : CPlot(PlotVelocity)
{}

bool CPlotVel::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                    std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    FillIntegrated(records, reference, 1, series, labels);
    return true;
}

void CPlotVel::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Velocity (kmph)";
}

} // namespace mirvane
